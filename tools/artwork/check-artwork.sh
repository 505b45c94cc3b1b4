#!/usr/bin/env bash
# Draws the artwork and has icoutils and ImageMagick read it: the program icon with its two
# sizes, every cursor with its hot spot, and the two button strips at 16 pixels per image.
set -euo pipefail
gen=$1 dir=$2
rm -rf "$dir" && mkdir -p "$dir"
"$gen" "$dir"
icons=$(icotool -l "$dir/program.ico")
echo "$icons" | grep -q -- "--width=16 --height=16 --bit-depth=4" || { echo "no 16x16 icon: $icons"; exit 1; }
echo "$icons" | grep -q -- "--width=32 --height=32 --bit-depth=4" || { echo "no 32x32 icon: $icons"; exit 1; }
for id in $(seq 60 69); do
    cur=$(icotool -l "$dir/cursor$id.cur")
    echo "$cur" | grep -q -- "--cursor .*--width=32 --height=32" || { echo "cursor $id: $cur"; exit 1; }
done
icotool -l "$dir/cursor60.cur" | grep -q -- "--hotspot-x=15 --hotspot-y=15" || { echo "cross-hair hot spot"; exit 1; }
[ "$(identify -format '%w %h' "$dir/toolbar.bmp")" = "176 16" ] || { echo "tool bar strip size"; exit 1; }
[ "$(identify -format '%w %h' "$dir/toolbox.bmp")" = "304 16" ] || { echo "tool box strip size"; exit 1; }
# The strips' background is pure green, which the program turns into the button face.
[ "$(convert "$dir/toolbar.bmp" -format '%[pixel:p{15,15}]' info:)" = "srgb(0,255,0)" ] || { echo "strip background"; exit 1; }
echo "artwork ok"
