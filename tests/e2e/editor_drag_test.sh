#!/usr/bin/env bash
# The first start as a user sees it, then a node dragged with the mouse.
# Arguments: the ornalix binary, the examples folder.
[ -n "${DISPLAY:-}" ] || exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
source "$(dirname "$0")/common.sh"
binary=$1

start_ornalix "$binary"
window_geometry
[ "$(title)" = "Ornalix" ] || fail "title is '$(title)'"
screenshot "$work/first.png"

# The fractal pane (right of the 213-pixel editor panel, below the menu):
# white, crossed by the black start curve.
fx=$((wx + 260)); fy=$((wy + 60)); fw=$((ww - 300)); fh=$((wh - 100))
black=$(count_colour "$work/first.png" $fw $fh $fx $fy black)
[ "$black" -gt 100 ] || fail "no curve in the fractal pane ($black black pixels)"
white=$(mean_brightness "$work/first.png" $fw $fh $fx $fy)
awk "BEGIN { exit !($white > 0.95) }" || fail "fractal pane is not white ($white)"
# The editor pane: the generator with white node circles on the panel colour.
circles=$(count_colour "$work/first.png" 200 250 $wx $((wy + 30)) white)
[ "$circles" -gt 40 ] || fail "no node circles in the editor pane ($circles white pixels)"

# Drag the middle node (node 2 of the start generator, top centre of the
# editor pane) down by 60 pixels: the fractal must change.
ex=$((wx + 104))
node_y=$(first_row_of "$work/first.png" $ex $((wy + 25)) 300 '#FFFFFF')
[ -n "$node_y" ] || fail "node circle not found above the editor's centre"
drag $ex $((wy + 25 + node_y + 4)) $ex $((wy + 25 + node_y + 64))
screenshot "$work/dragged.png"
if cmp -s <(convert "$work/first.png" -crop ${fw}x${fh}+$fx+$fy +repage rgb:-) \
          <(convert "$work/dragged.png" -crop ${fw}x${fh}+$fx+$fy +repage rgb:-); then
  fail "the fractal did not change after the drag"
fi
echo "1 passed, 0 failed"
