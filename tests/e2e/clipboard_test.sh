#!/usr/bin/env bash
# Ctrl+C in the window, then the clipboard as other programs read it: the
# offered types, and each picture opened by a reader we did not write.
# Arguments: the ornalix binary, the examples folder.
[ -n "${DISPLAY:-}" ] || exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
source "$(dirname "$0")/common.sh"
binary=$1 examples=$2

start_ornalix "$binary" "$examples/koch.fract"
xdotool key --window "$window" ctrl+c
sleep 0.5

targets=$(timeout 10 xclip -selection clipboard -t TARGETS -o) || fail "nothing on the clipboard"
for type in image/x-emf 'application/x-openoffice-emf;windows_formatname="Image EMF"' image/svg+xml image/png; do
  grep -qxF "$type" <<<"$targets" || fail "the clipboard does not offer $type: $targets"
done
fetch() { timeout 10 xclip -selection clipboard -t "$1" -o >"$2" || fail "could not read $1"; }
fetch image/png "$work/pasted.png"
fetch image/svg+xml "$work/pasted.svg"
fetch image/x-emf "$work/pasted.emf"

# dark_pixels FILE: how many pixels of a picture are darker than mid grey.
dark_pixels() {
  convert "$1" -background white -flatten -colorspace Gray -threshold 50% -negate -format '%[fx:round(mean*w*h)]' info:
}

size=$(identify -format '%wx%h' "$work/pasted.png") || fail "ImageMagick cannot read the PNG"
[ "${size%x*}" -gt 300 ] && [ "${size#*x}" -gt 300 ] || fail "the PNG is $size, not the pane's size"
png_dark=$(dark_pixels "$work/pasted.png")
[ "$png_dark" -gt 200 ] || fail "no curve in the PNG ($png_dark dark pixels)"

rsvg-convert -b white -o "$work/svg.png" "$work/pasted.svg" || fail "rsvg-convert cannot read the SVG"
# rsvg-convert rounds the size in millimetres up to whole pixels.
svg_size=$(identify -format '%wx%h' "$work/svg.png")
near() { [ $(( $1 - $2 )) -ge 0 ] && [ $(( $1 - $2 )) -le 1 ]; }
near "${svg_size%x*}" "${size%x*}" && near "${svg_size#*x}" "${size#*x}" || fail "the SVG is $svg_size, the pane $size"
svg_dark=$(dark_pixels "$work/svg.png")
[ "$svg_dark" -gt 200 ] || fail "no curve in the SVG ($svg_dark dark pixels)"

emf2svg-conv -i "$work/pasted.emf" -o "$work/emf.svg" || fail "emf2svg-conv cannot read the EMF"
rsvg-convert -b white -o "$work/emf.png" "$work/emf.svg" || fail "the EMF's SVG does not render"
emf_dark=$(dark_pixels "$work/emf.png")
[ "$emf_dark" -gt 200 ] || fail "no curve in the EMF ($emf_dark dark pixels)"

echo "PNG $size, $png_dark dark pixels; SVG $svg_dark; EMF $emf_dark"
echo "1 passed, 0 failed"
