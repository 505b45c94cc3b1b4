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
# Each cursor resource by the hot spot of the picture the tools expect under that number: 60 the
# pencil's tip, 61 and 64 cross-hairs, 62 and 68 the dropper's tip, 63 the bucket's spout,
# 65 the brush's tip, 67 the text beam, 69 the capture frame's centre.
for entry in 60:1:15 61:15:15 62:0:14 63:14:12 64:15:15 65:1:15 67:15:16 68:0:14 69:15:15; do
    IFS=: read -r id x y <<<"$entry"
    cur=$(icotool -l "$dir/cursor$id.cur")
    echo "$cur" | grep -q -- "--cursor .*--width=32 --height=32" || { echo "cursor $id: $cur"; exit 1; }
    echo "$cur" | grep -q -- "--hotspot-x=$x --hotspot-y=$y" || { echo "cursor $id hot spot: $cur"; exit 1; }
done
[ ! -e "$dir/cursor66.cur" ] || { echo "cursor 66 is no resource of the Studio"; exit 1; }
[ "$(identify -format '%w %h' "$dir/toolbar.bmp")" = "176 16" ] || { echo "tool bar strip size"; exit 1; }
[ "$(identify -format '%w %h' "$dir/toolbox.bmp")" = "304 16" ] || { echo "tool box strip size"; exit 1; }
# The strips' background is pure green, which the program turns into the button face.
[ "$(convert "$dir/toolbar.bmp" -format '%[pixel:p{15,15}]' info:)" = "srgb(0,255,0)" ] || { echo "strip background"; exit 1; }
icons=$(icotool -l "$dir/animator.ico")
echo "$icons" | grep -q -- "--width=32 --height=32 --bit-depth=4" || { echo "no 32x32 Animator icon: $icons"; exit 1; }
[ "$(identify -format '%w %h' "$dir/anitoolbar.bmp")" = "176 16" ] || { echo "Animator tool bar strip size"; exit 1; }
[ "$(identify -format '%w %h' "$dir/play.bmp")" = "16 16" ] || { echo "play glyph size"; exit 1; }
# The Engineer's: the program icon in two sizes, the 16 x 16 change marks, and the fifteen
# 32 x 32 pictures of the standard cursors, 70 to 84.
egr="$dir/engineer"
mkdir -p "$egr"
"$gen" "$egr" engineer
icons=$(icotool -l "$egr/program.ico")
echo "$icons" | grep -q -- "--width=16 --height=16 --bit-depth=4" || { echo "engineer: no 16x16 icon: $icons"; exit 1; }
echo "$icons" | grep -q -- "--width=32 --height=32 --bit-depth=4" || { echo "engineer: no 32x32 icon: $icons"; exit 1; }
for id in 52 53; do
    icotool -l "$egr/mark$id.ico" | grep -q -- "--icon .*--width=16 --height=16" || { echo "mark $id"; exit 1; }
done
for id in $(seq 70 84); do
    icotool -l "$egr/standard$id.ico" | grep -q -- "--icon .*--width=32 --height=32 --bit-depth=4" || { echo "standard cursor picture $id"; exit 1; }
done
[ ! -e "$egr/standard85.ico" ] || { echo "only fifteen standard cursor pictures"; exit 1; }
# The Librarian's: the program icon in two sizes, the stack of several dragged icons, and the
# toolbar's seven images (New, Open, Save, the four views).
mgr="$dir/librarian"
mkdir -p "$mgr"
"$gen" "$mgr" librarian
icons=$(icotool -l "$mgr/program.ico")
echo "$icons" | grep -q -- "--width=16 --height=16 --bit-depth=4" || { echo "librarian: no 16x16 icon: $icons"; exit 1; }
echo "$icons" | grep -q -- "--width=32 --height=32 --bit-depth=4" || { echo "librarian: no 32x32 icon: $icons"; exit 1; }
icotool -l "$mgr/stack.ico" | grep -q -- "--icon .*--width=32 --height=32" || { echo "librarian: stack icon"; exit 1; }
[ "$(identify -format '%w %h' "$mgr/toolbar.bmp")" = "112 16" ] || { echo "librarian: toolbar strip size"; exit 1; }
echo "artwork ok"
