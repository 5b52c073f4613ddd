#!/usr/bin/env bash
# One page through a real CUPS queue: a cups-pdf printer made the default,
# Ctrl+P in the window and the print dialog's print button pressed, then
# the PDF cups-pdf writes is looked at. Needs root for cupsd and lpadmin;
# otherwise it is skipped (exit 77), with a notice.
# Arguments: the ornalix binary, the examples folder.
if [ "$(id -u)" -ne 0 ]; then
  echo "SKIPPED: printing through CUPS needs root (cupsd, lpadmin)"
  exit 77
fi
[ -n "${DISPLAY:-}" ] || exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
source "$(dirname "$0")/common.sh"
binary=$1 examples=$2
queue=OrnalixPDF
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd

scheduler_running() { LC_ALL=C lpstat -r 2>/dev/null | grep -q 'is running'; }
cupsd_pid=""
old_default=""
pdf=""
finish() {
  [ -n "$pdf" ] && rm -f "$pdf"
  lpadmin -x "$queue" 2>/dev/null || true
  [ -n "$old_default" ] && lpadmin -d "$old_default" 2>/dev/null
  [ -n "$cupsd_pid" ] && kill "$cupsd_pid" 2>/dev/null
  cleanup
}
trap finish EXIT

if ! scheduler_running; then
  cupsd || fail "cupsd did not start"
  for _ in $(seq 50); do scheduler_running && break; sleep 0.2; done
  scheduler_running || fail "cupsd does not answer"
  cupsd_pid=$(cat /run/cups/cupsd.pid)
fi
old_default=$(LC_ALL=C lpstat -d 2>/dev/null | sed -n 's/^system default destination: //p')
lpadmin -p "$queue" -v cups-pdf:/ -P "$ppd" -E || fail "lpadmin could not add the queue"
lpadmin -d "$queue"

# cups-pdf writes into the submitting user's home from the password
# database, not $HOME.
out="$(getent passwd "$(id -un)" | cut -d: -f6)/PDF"
mkdir -p "$out"
touch "$work/before"

start_ornalix "$binary" "$examples/koch.fract"
xdotool key --window "$window" ctrl+p
dialog=$(timeout 20 xdotool search --sync --onlyvisible --name '^(Drucken|Print)$' | head -n 1) \
  || fail "no print dialog appeared: $(cat "$work/ornalix.log")"
xdotool windowfocus --sync "$dialog" 2>/dev/null || true
sleep 0.5
xdotool key --window "$dialog" Return

for _ in $(seq 60); do
  pdf=$(find "$out" -maxdepth 1 -name 'Ornalix_-_koch*.pdf' -newer "$work/before" | head -n 1)
  [ -n "$pdf" ] && break
  sleep 0.5
done
[ -n "$pdf" ] || fail "no PDF named after the job in $out: $(ls "$out")"
sleep 1
# A one-pixel line of a 600 dpi page covers half a pixel at 300 dpi.
pdftoppm -r 300 -gray -singlefile -png "$pdf" "$work/page" || fail "pdftoppm cannot read $pdf"
ink=$(convert "$work/page.png" -threshold 75% -negate -format '%[fx:round(mean*w*h)]' info:)
[ "$ink" -gt 300 ] || fail "no curve on the printed page ($ink dark pixels)"
echo "printed $(basename "$pdf"): $(identify -format '%wx%h' "$work/page.png") at 300 dpi, $ink pixels of ink"
[ -z "${ORNALIX_KEEP_PAGE:-}" ] || cp "$pdf" "$ORNALIX_KEEP_PAGE"
echo "1 passed, 0 failed"
