#!/usr/bin/env bash
# A clip recorded as a user makes one: Datei → Exportieren, a size and a name
# ending in ".avi", Start, a rubber band (an animated zoom of 60 steps),
# Stop, Fertig; ffprobe then reads 61 frames at the timer's rate: the
# picture the zoom starts from, then one a step.
# Arguments: the ornalix binary, the examples folder.
[ -n "${DISPLAY:-}" ] || exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
source "$(dirname "$0")/common.sh"
binary=$1
clip="$work/zoom.avi"
export XDG_CACHE_HOME="$work/cache"

wait_for_dialog() {
  dialog=$(timeout 20 xdotool search --sync --onlyvisible --name "$1" | head -n 1) \
    || fail "no window named '$1' appeared: $(cat "$work/ornalix.log")"
  xdotool windowfocus --sync "$dialog" 2>/dev/null || true
  sleep 0.5
}

is_shown() { xwininfo -id "$1" 2>/dev/null | grep -q 'IsViewable'; }

# click_in WINDOW X Y: a click at a point of the window's client area.
click_in() {
  eval "$(xdotool getwindowgeometry --shell "$1")"
  xdotool mousemove $((X + $2)) $((Y + $3)); sleep 0.2
  xdotool click 1; sleep 0.5
}

start_ornalix "$binary"
window_geometry

# Datei → Exportieren with the keyboard; the size dialog takes 160 × 120.
xdotool key alt+d; sleep 0.3
xdotool key e; sleep 0.3
wait_for_dialog '^Fraktal exportieren$'
xdotool key ctrl+a; xdotool type --delay 20 160; xdotool key Tab
xdotool key ctrl+a; xdotool type --delay 20 120; xdotool key Return
sleep 0.5

# The picture dialog: the name ending in ".avi".
wait_for_dialog 'Save|Speichern|Exportieren|Bild'
xdotool type --delay 20 "$clip"; sleep 0.3
for attempt in 1 2 3; do
  xdotool key Return
  for i in $(seq 1 20); do is_shown "$dialog" || break 2; sleep 0.1; done
done
! is_shown "$dialog" || fail "the picture dialog did not close"

wait_for_dialog '^Videoclip exportieren$'
recorder=$dialog
# "Start" at 12,44 (75 × 25).
click_in "$recorder" 40 56

# A rubber band in the fractal pane's top right, clear of the dialog in the
# middle, starts the zoom.
window_geometry
drag $((wx + ww - 260)) $((wy + 60)) $((wx + ww - 60)) $((wy + 180))
# 60 steps of 15 ms, and time to spare on a busy machine.
sleep 4

click_in "$recorder" 40 56 # "Stop"
click_in "$recorder" 120 56 # "Fertig"
for i in $(seq 1 50); do [ -f "$clip" ] && break; sleep 0.1; done
[ -f "$clip" ] || fail "no clip was written: $(cat "$work/ornalix.log")"
is_shown "$recorder" && fail "the recording dialog is still shown"

probe=$(ffprobe -v error -count_frames -select_streams v:0 \
  -show_entries stream=nb_read_frames,r_frame_rate,width,height -of default=noprint_wrappers=1 "$clip")
echo "$probe" | grep -qx 'nb_read_frames=61' || fail "the clip reads as: $probe"
echo "$probe" | grep -qx 'r_frame_rate=200/3' || fail "the clip reads as: $probe"
echo "$probe" | grep -qx 'width=160' || fail "the clip reads as: $probe"
echo "$probe" | grep -qx 'height=120' || fail "the clip reads as: $probe"
echo "1 passed, 0 failed"
