#!/usr/bin/env bash
# Save As and Open through the real file dialogs, with the keyboard: the start
# generator saved at depth 1, the depth changed, the file opened again; then
# the same file given on the command line.
# Arguments: the ornalix binary, the examples folder.
[ -n "${DISPLAY:-}" ] || exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
source "$(dirname "$0")/common.sh"
binary=$1
saved="$work/saved.fract"

# wait_for_dialog PATTERN: sets $dialog to the visible window whose name
# matches (the file dialogs' captions are Qt's own).
wait_for_dialog() {
  dialog=$(timeout 20 xdotool search --sync --onlyvisible --name "$1" | head -n 1) \
    || fail "no window named '$1' appeared: $(cat "$work/ornalix.log")"
  xdotool windowfocus --sync "$dialog" 2>/dev/null || true
  sleep 0.5
}

# is_shown WINDOW: the window still exists and is mapped.
is_shown() { xwininfo -id "$1" 2>/dev/null | grep -q 'IsViewable'; }

# answer_file_dialog PATTERN PATH: types the full path into the dialog's
# name field, which has the focus, and accepts it. A Return that only closes
# the name completion's list is followed by another.
answer_file_dialog() {
  local attempt i
  wait_for_dialog "$1"
  xdotool type --delay 20 "$2"; sleep 0.3
  for attempt in 1 2 3; do
    xdotool key Return
    for i in $(seq 1 20); do is_shown "$dialog" || break 2; sleep 0.1; done
  done
  ! is_shown "$dialog" || fail "the file dialog did not close"
  sleep 0.5
}

# fract_pane FILE: the fractal pane's pixels as raw RGB on stdout.
fract_pane() { convert "$1" -crop ${fw}x${fh}+$fx+$fy +repage rgb:-; }

focus_main() {
  xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowactivate "$window" 2>/dev/null || true
  sleep 0.3
}

start_ornalix "$binary"
window_geometry
fx=$((wx + 260)); fy=$((wy + 60)); fw=$((ww - 300)); fh=$((wh - 100))
[ "$(title)" = "Ornalix" ] || fail "title is '$(title)'"
screenshot "$work/depth1.png"

# Save As with Ctrl+S.
focus_main
xdotool key ctrl+s
answer_file_dialog 'Save|Speichern' "$saved"
for i in $(seq 1 50); do [ -f "$saved" ] && break; sleep 0.1; done
[ -f "$saved" ] || fail "no file was written"
cmp -s "$saved" <(printf '1\r\n-1\r\n1\r\n0\r\n0.6\r\n-0.8\r\n-0.28\r\n0.96\r\n0.6\r\n-0.8\r\n') \
  || fail "the file holds: $(od -c "$saved" | head -n 5)"
[ "$(title)" = "Ornalix - saved.fract" ] || fail "title after Save As is '$(title)'"

# A deeper curve: click the depth slider's handle (the control panel under
# the editor, 8 pixels below its top) and press the right arrow three times.
panel_top=$((wy + wh - 159))
xdotool mousemove $((wx + 4 + 80 + 6)) $((panel_top + 8 + 8)); sleep 0.2
xdotool click 1; sleep 0.3
for i in 1 2 3; do xdotool key Right; sleep 0.2; done
sleep 0.5
screenshot "$work/deeper.png"
if cmp -s <(fract_pane "$work/depth1.png") <(fract_pane "$work/deeper.png"); then
  fail "the fractal did not change with the depth"
fi

# Open the saved file with Ctrl+O: depth 1 is back, so is the picture.
focus_main
xdotool key ctrl+o
answer_file_dialog 'Open|Öffnen' "$saved"
screenshot "$work/opened.png"
cmp -s <(fract_pane "$work/depth1.png") <(fract_pane "$work/opened.png") \
  || fail "the opened file does not show the saved curve at depth 1"
[ "$(title)" = "Ornalix - saved.fract" ] || fail "title after Open is '$(title)'"

# The file named on the command line opens at the start.
kill "$pid"; wait "$pid" 2>/dev/null || true; pid=""
cp "$saved" "$work/again.fract"
start_ornalix "$binary" "$work/again.fract"
for i in $(seq 1 30); do [ "$(title)" = "Ornalix - again.fract" ] && break; sleep 0.1; done
[ "$(title)" = "Ornalix - again.fract" ] || fail "title after a start with a file is '$(title)'"
window_geometry
fx=$((wx + 260)); fy=$((wy + 60)); fw=$((ww - 300)); fh=$((wh - 100))
screenshot "$work/started.png"
cmp -s <(fract_pane "$work/depth1.png") <(fract_pane "$work/started.png") \
  || fail "the file given at the start does not show the saved curve"
echo "1 passed, 0 failed"
