# Shared by the end-to-end checks: start Ornalix in the X server that
# xvfb-run gave us, find its window, look at the screen.
set -euo pipefail

work=$(mktemp -d)
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/run" HOME="$work"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
export LC_ALL=C.UTF-8
pid=""
# The program closes orderly on SIGTERM and writes its settings: wait for
# it before the folder goes.
cleanup() {
  if [ -n "$pid" ]; then kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

# start_ornalix BINARY [ARGS...]: sets $window to the main window's id.
start_ornalix() {
  "$@" >"$work/ornalix.log" 2>&1 &
  pid=$!
  window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Ornalix' | head -n 1) \
    || fail "no window appeared: $(cat "$work/ornalix.log")"
  xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowactivate "$window" 2>/dev/null || true
  sleep 0.5
}

# Window geometry: sets wx wy ww wh.
window_geometry() {
  eval "$(xdotool getwindowgeometry --shell "$window")"
  wx=$X; wy=$Y; ww=$WIDTH; wh=$HEIGHT
}

screenshot() { import -window root "$1"; }

# mean_brightness FILE W H X Y: 0 black ... 1 white, of that rectangle.
mean_brightness() {
  convert "$1" -crop "$2x$3+$4+$5" +repage -colorspace Gray -format '%[fx:mean]' info:
}

# count_colour FILE W H X Y COLOUR: pixels of that colour in the rectangle.
count_colour() {
  convert "$1" -crop "$2x$3+$4+$5" +repage -fill '#123457' +opaque "$6" -fill white -opaque "$6" \
    -fill black -opaque '#123457' -colorspace Gray -format '%[fx:round(mean*w*h)]' info:
}

# first_row_of FILE X Y0 HEIGHT COLOUR: the first row below Y0 in column X
# that has the colour, counted from Y0.
first_row_of() {
  convert "$1" -crop "1x$4+$2+$3" +repage txt:- | awk -F'[,:]' -v c="$5" 'index($0, c) && !found { print $2; found = 1 }'
}

title() { xdotool getwindowname "$window"; }

drag() { # drag X1 Y1 X2 Y2 (screen), with pauses so no move is lost
  xdotool mousemove "$1" "$2"; sleep 0.1
  xdotool mousedown 1; sleep 0.1
  local steps=8 i
  for i in $(seq 1 $steps); do
    xdotool mousemove $(( $1 + ($3 - $1) * i / steps )) $(( $2 + ($4 - $2) * i / steps ))
    sleep 0.05
  done
  xdotool mouseup 1; sleep 0.3
}
