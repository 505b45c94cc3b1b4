#!/usr/bin/env bash
# Times `vantoro search -r -v` against `find ... -exec wrestool -l {} +` over the same files (the
# names a type-1 search takes: .ico, .icl, .il, .nil, .exe, .dll) and prints the ratio. Each
# time is the best of five runs with a warm cache.
#   bench/librarian_search.sh [path/to/vantoro] [folder]
set -euo pipefail
vantoro=${1:-build/linux/bin/vantoro}
folder=${2:-/usr/lib/x86_64-linux-gnu/wine}
command -v wrestool >/dev/null || { echo "wrestool (icoutils) is needed" >&2; exit 1; }
[ -x "$vantoro" ] || { echo "build vantoro first: cmake --build --preset linux --target vantoro" >&2; exit 1; }

find_args=("$folder" -type f \( -iname '*.ico' -o -iname '*.icl' -o -iname '*.il' -o -iname '*.nil'
           -o -iname '*.exe' -o -iname '*.dll' \))

source "$(dirname "${BASH_SOURCE[0]}")/best_of.sh"

files=$(find "${find_args[@]}" | wc -l)
find "${find_args[@]}" -exec cat {} + >/dev/null  # warm the cache
ours=$(best_of "$vantoro" search "$folder" -r -v)
theirs=$(best_of find "${find_args[@]}" -exec wrestool -l {} +)

printf 'files: %d under %s\n' "$files" "$folder"
printf 'vantoro search -r -v:          %.3f s (%s)\n' "$ours" "$("$vantoro" search "$folder" -r | tail -n 1)"
printf 'find -exec wrestool -l {} +:   %.3f s\n' "$theirs"
printf 'ratio (wrestool/vantoro):      %.1fx\n' "$(echo "$theirs / $ours" | bc -l)"
