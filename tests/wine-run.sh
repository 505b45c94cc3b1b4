#!/usr/bin/env bash
# CTest's emulator for the Windows test executables: run one program in the build's prefix.
# The prefix and the persistent wine server are made by the "wine" fixture (wine-setup.sh).
#
# The program never gets our output descriptors. Every process Wine starts for it (a child it
# launched, Wine's service helpers when they start with it) inherits the program's standard
# output and error; were those CTest's pipe, CTest would wait for the last of them to close it,
# long after the test ended. So the program writes to a file of its own, and this script, once
# the program has ended, prints that file and returns its exit code: whatever inherited the file
# keeps nothing open that CTest waits on, however the processes are timed.
#
# VT_RUN_SECONDS (optional): stop the program after that many seconds, print what it wrote and
# fail, so a hung test still shows where it stopped (CTest's TIMEOUT stays the backstop).
if [ -z "${VT_BUILD_DIR:-}" ]; then
    # Outside CTest: the build folder is the one holding the program (testbin/ or bin/).
    VT_BUILD_DIR=$(cd "$(dirname "$1")/.." && pwd)
fi
source "$(dirname "$0")/wine-env.sh"

mkdir -p "$VT_BUILD_DIR/wine-output" && out=$(mktemp "$VT_BUILD_DIR/wine-output/run.XXXXXX") || exit 1
trap 'rm -f "$out"' EXIT
limit=${VT_RUN_SECONDS:-0}
if [ "$limit" -gt 0 ]; then
    # timeout signals the program's whole process group, then kills what is left 10 s later.
    timeout -k 10 "$limit" "$VT_WINE" "$@" </dev/null >"$out" 2>&1
else
    "$VT_WINE" "$@" </dev/null >"$out" 2>&1
fi
status=$?
cat "$out"
if [ "$limit" -gt 0 ] && { [ $status -eq 124 ] || [ $status -eq 137 ]; }; then
    echo "wine-run.sh: $(basename "$1") was still running after $limit s and was stopped" >&2
fi
exit $status
