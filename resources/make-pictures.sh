#!/usr/bin/env bash
# Draws the about-box picture and the program icon with Ornalix itself.
# Argument: the ornalix binary.
set -euo pipefail
cd "$(dirname "$0")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/about" "$work/icon"
# The dialog colour behind a black curve.
printf '[General]\nbgColor=15724527\n' > "$work/about/Ornalix.conf"
XDG_CONFIG_HOME="$work/about" "$1" --export "$work/about.bmp" --size 121x159 ../examples/quadratic-koch.fract
convert "$work/about.bmp" BMP3:info_picture.bmp
# A thick dark blue Koch curve, shrunk with smoothing.
printf '[General]\npenWidth=6\nfgColor=9109504\n' > "$work/icon/Ornalix.conf"
printf '3\r\n-1\r\n1\r\n0\r\n0.5\r\n-0.866025403784439\r\n-0.5\r\n0.866025403784439\r\n0.5\r\n-0.866025403784439\r\n' > "$work/koch.fract"
XDG_CONFIG_HOME="$work/icon" "$1" --export "$work/icon.bmp" --size 256x256 "$work/koch.fract"
convert "$work/icon.bmp" -transparent white -trim +repage -resize 60x60 -gravity center -background none -extent 64x64 +repage ornalix.png
