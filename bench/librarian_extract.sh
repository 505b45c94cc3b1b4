#!/usr/bin/env bash
# Times `vantoro extract` against `wrestool -x --type=14` over the same program files (one process
# each, warm cache) and prints the ratio.
#   bench/librarian_extract.sh [path/to/vantoro] [folder]
set -euo pipefail
vantoro=${1:-build/linux/bin/vantoro}
folder=${2:-/usr/lib/x86_64-linux-gnu/wine/x86_64-windows}
command -v wrestool >/dev/null || { echo "wrestool (icoutils) is needed" >&2; exit 1; }
[ -x "$vantoro" ] || { echo "build vantoro first: cmake --build build/linux --target vantoro" >&2; exit 1; }

shopt -s nullglob
files=("$folder"/*.dll "$folder"/*.exe)
[ ${#files[@]} -gt 0 ] || { echo "no program files in $folder" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The best of several runs, in seconds, of a command that writes into a fresh folder.
best_of() {
    local best=""
    for run in 1 2 3 4 5; do
        rm -rf "$work/out" && mkdir "$work/out"
        local start end t
        start=$(date +%s.%N)
        "$@" >/dev/null 2>&1 || true
        end=$(date +%s.%N)
        t=$(echo "$end - $start" | bc -l)
        if [ -z "$best" ] || [ "$(echo "$t < $best" | bc -l)" = 1 ]; then best=$t; fi
    done
    echo "$best"
}

cat "${files[@]}" >/dev/null  # warm the cache
ours=$(best_of "$vantoro" extract "${files[@]}" -o "$work/out")
ours_count=$(ls "$work/out" | wc -l)
theirs=$(best_of wrestool -x --type=14 -o "$work/out" "${files[@]}")
theirs_count=$(ls "$work/out" | wc -l)

printf 'files: %d in %s\n' "${#files[@]}" "$folder"
printf 'vantoro extract:          %.3f s, %d icon files\n' "$ours" "$ours_count"
printf 'wrestool -x --type=14:    %.3f s, %d icon files\n' "$theirs" "$theirs_count"
printf 'ratio (wrestool/vantoro): %.1fx\n' "$(echo "$theirs / $ours" | bc -l)"
