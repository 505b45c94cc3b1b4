#!/usr/bin/env bash
# The timeout check must name a test that has no TIMEOUT and accept a folder where all have one.
# ctest reads a folder's CTestTestfile.cmake directly, so no project needs configuring.
set -u
check=$(cd "$(dirname "$0")" && pwd)/check-test-timeouts.cmake
cmake=${CMAKE:-cmake} ctest=${CTEST:-ctest}
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT
cat >"$tmp/CTestTestfile.cmake" <<'TESTS'
add_test(bounded "true")
set_tests_properties(bounded PROPERTIES TIMEOUT "30")
add_test(unbounded_probe "true")
TESTS
out=$("$cmake" -DBUILD_DIR="$tmp" -DCTEST="$ctest" -P "$check" 2>&1) && { echo "missing TIMEOUT not caught: $out"; exit 1; }
echo "$out" | grep -q "tests without a TIMEOUT: unbounded_probe$" || { echo "wrong report: $out"; exit 1; }
echo 'set_tests_properties(unbounded_probe PROPERTIES TIMEOUT "30")' >>"$tmp/CTestTestfile.cmake"
out=$("$cmake" -DBUILD_DIR="$tmp" -DCTEST="$ctest" -P "$check" 2>&1) || { echo "bounded tests refused: $out"; exit 1; }
echo "timeout check self-test ok"
