#!/usr/bin/env bash
# The test command: installs what is missing, builds the native presets and the Windows preset,
# and runs every test headless (unit tests, sanitizers, fuzzers, interop, and the programs under
# Wine with a private prefix).
set -uo pipefail
cd "$(dirname "$0")/.."
./tools/install-deps.sh || exit 1
jobs=${VT_JOBS:-2}
status=0
start=$(date +%s)
for preset in linux linux-asan windows; do
    echo "=== $preset: configure and build"
    if ! cmake --preset "$preset" >"build-$preset.log" 2>&1; then
        cat "build-$preset.log"
        status=1
        continue
    fi
    if ! cmake --build --preset "$preset" -j "$jobs" >>"build-$preset.log" 2>&1; then
        grep -E -B2 -A6 'error|Error' "build-$preset.log" | head -n 80
        echo "=== $preset: build FAILED (full log: build-$preset.log)"
        status=1
        continue
    fi
    echo "=== $preset: test"
    ctest --preset "$preset" -j "$jobs" || status=1
done
rm -f build-*.log 2>/dev/null
echo "=== all presets done in $(( $(date +%s) - start )) s"
exit $status
