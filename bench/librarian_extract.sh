#!/usr/bin/env bash
# Times `vantoro extract` against `wrestool -x --type=14` over the same program files, both
# lossless (every image of every group, PNG included), checks that both wrote the same image
# blocks, and prints the ratio. Each tool's time is the best of five runs in one process each,
# with a warm cache.
#   bench/librarian_extract.sh [path/to/vantoro] [folder]
set -euo pipefail
vantoro=${1:-build/linux/bin/vantoro}
folder=${2:-/usr/lib/x86_64-linux-gnu/wine/x86_64-windows}
command -v wrestool >/dev/null || { echo "wrestool (icoutils) is needed" >&2; exit 1; }
command -v python3 >/dev/null || { echo "python3 is needed" >&2; exit 1; }
[ -x "$vantoro" ] || { echo "build vantoro first: cmake --build --preset linux --target vantoro" >&2; exit 1; }

shopt -s nullglob
files=("$folder"/*.dll "$folder"/*.exe)
[ ${#files[@]} -gt 0 ] || { echo "no program files in $folder" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

source "$(dirname "${BASH_SOURCE[0]}")/best_of.sh"

cat "${files[@]}" >/dev/null  # warm the cache
ours=$(FRESH="$work/ours" best_of "$vantoro" extract "${files[@]}" -o "$work/ours")
theirs=$(FRESH="$work/theirs" best_of wrestool -x --type=14 -o "$work/theirs" "${files[@]}")

# Both wrote the same image blocks (wrestool appends stray bytes after its icon files' images,
# so blocks are compared, not whole files).
check=$(python3 - "$work/ours" "$work/theirs" <<'PY'
import os, struct, sys
def blocks(folder):
    out, total = [], 0
    for name in os.listdir(folder):
        data = open(os.path.join(folder, name), 'rb').read()
        total += len(data)
        count = struct.unpack_from('<H', data, 4)[0]
        for i in range(count):
            size, offset = struct.unpack_from('<II', data, 6 + 16 * i + 8)
            out.append(data[offset:offset + size])
    return sorted(out), total
a, at = blocks(sys.argv[1])
b, bt = blocks(sys.argv[2])
print('same' if a == b else 'DIFFERENT', len(a), len(b), at, bt)
PY
)
read -r verdict ours_images their_images ours_bytes their_bytes <<<"$check"

printf 'files: %d in %s\n' "${#files[@]}" "$folder"
printf 'vantoro extract:          %.3f s, %d icon files, %d images, %d bytes\n' "$ours" \
    "$(ls "$work/ours" | wc -l)" "$ours_images" "$ours_bytes"
printf 'wrestool -x --type=14:    %.3f s, %d icon files, %d images, %d bytes\n' "$theirs" \
    "$(ls "$work/theirs" | wc -l)" "$their_images" "$their_bytes"
printf 'image blocks:             %s\n' "$verdict"
printf 'ratio (wrestool/vantoro): %.1fx\n' "$(echo "$theirs / $ours" | bc -l)"
[ "$verdict" = same ]
