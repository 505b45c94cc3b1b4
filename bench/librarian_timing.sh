#!/usr/bin/env bash
# Times VTMGR.EXE under Wine on a workspace of 10,000 icons: the search, each sort, each view and
# 50 page scrolls per view, each to the end of its repaint (bench/win32/librarian_timing.cpp). Runs
# in the build's own Wine prefix, which it starts and ends.
#   bench/librarian_timing.sh [build folder of the windows preset, default build/windows]
# Build first: cmake --build build/windows --target VTMGR librarian_timing
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-build/windows}" && pwd)
driver=$build/testbin/librarian_timing.exe
[ -f "$driver" ] && ls "$build/bin" | grep -qi "^vtmgr\.exe$" \
    || { echo "build first: cmake --build $build --target VTMGR librarian_timing" >&2; exit 1; }
export VT_BUILD_DIR=$build VT_BIN_DIR=$build/bin VT_SOURCE_DIR=$src
bin_windows="Z:$VT_BIN_DIR"
export WINEPATH=${bin_windows//\//\\}
"$src/tests/wine-setup.sh" >/dev/null
trap '"$src/tests/wine-teardown.sh" >/dev/null || true' EXIT
VT_RUN_SECONDS=1800 "$src/tests/wine-run.sh" "$driver"
