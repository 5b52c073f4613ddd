#!/usr/bin/env bash
# A logout (SIGHUP) or a kill (SIGTERM) closes Ornalix as its close box
# does: it exits normally and writes its settings.
# Arguments: the ornalix binary.
[ -n "${DISPLAY:-}" ] || exec xvfb-run -a "$0" "$@"
source "$(dirname "$0")/common.sh"
binary=$1

for signal in TERM HUP; do
  rm -f "$XDG_CONFIG_HOME/Ornalix.conf"
  start_ornalix "$binary"
  kill -s "$signal" "$pid"
  status=0
  timeout 20 tail --pid="$pid" -f /dev/null || fail "SIG$signal did not end the program"
  wait "$pid" || status=$?
  pid=""
  [ "$status" -eq 0 ] || fail "SIG$signal: exit status $status"
  grep -q '^zoomSteps=60$' "$XDG_CONFIG_HOME/Ornalix.conf" 2>/dev/null \
    || fail "SIG$signal: the settings were not written"
done
echo "logout and kill close orderly"
