#!/usr/bin/env bash
# A Wine test that hangs (its program never ends and leaves a child running) must be stopped and
# reported failed by name, never waited for. A nested ctest runs two such tests side by side
# through the real emulator: one stopped by CTest's TIMEOUT, one by wine-run.sh's own deadline
# (which also shows what the program wrote). ctest reads the folder's CTestTestfile.cmake;
# nothing is configured.
#
#   harness-hang-check.sh PROBE_EXE      (VT_BUILD_DIR and CTEST from the test's environment)
set -u
probe=$1
: "${VT_BUILD_DIR:?}"
ctest=${CTEST:-ctest}
run=$(cd "$(dirname "$0")" && pwd)/wine-run.sh
dir="$VT_BUILD_DIR/harness-hang"
rm -rf "$dir" && mkdir -p "$dir"
token="vt-hang-$$-$(date +%s)"
cat >"$dir/CTestTestfile.cmake" <<TESTS
add_test(hang_probe_ctest_timeout "$run" "$probe" "hang" "$token-a")
set_tests_properties(hang_probe_ctest_timeout PROPERTIES TIMEOUT "15" ENVIRONMENT "VT_BUILD_DIR=$VT_BUILD_DIR")
add_test(hang_probe_run_deadline "$run" "$probe" "hang" "$token-b")
set_tests_properties(hang_probe_run_deadline PROPERTIES TIMEOUT "120" ENVIRONMENT "VT_BUILD_DIR=$VT_BUILD_DIR;VT_RUN_SECONDS=45")
TESTS
start=$(date +%s)
out=$(cd "$dir" && timeout -k 10 180 "$ctest" -j2 --output-on-failure 2>&1)
status=$?
elapsed=$(($(date +%s) - start))
echo "$out"
echo "--- nested ctest: exit status $status after $elapsed s"

fail=0
expect() {
    echo "$out" | grep -Eq -- "$1" || { echo "MISSING: $2"; fail=1; }
}
[ $status -ne 0 ] && [ $status -ne 124 ] && [ $status -ne 137 ] || { echo "the nested ctest did not report a failure in time (status $status)"; fail=1; }
[ $elapsed -lt 150 ] || { echo "the nested ctest took $elapsed s"; fail=1; }
expect 'hang_probe_ctest_timeout \.+\*\*\*Timeout' "hang_probe_ctest_timeout reported as a timeout"
expect 'hang_probe_run_deadline \.+\*\*\*Failed' "hang_probe_run_deadline reported failed"
expect 'probe started; its child runs; now hanging' "the hung program's own output"
expect 'vt_harness_probe\.exe was still running after 45 s and was stopped' "wine-run.sh's deadline message"
expect '0% tests passed, 2 tests failed out of 2' "both probes failed"
expect '^[[:space:]]+[0-9]+ - hang_probe_ctest_timeout \(Timeout\)' "the timed-out test named in the summary"
expect '^[[:space:]]+[0-9]+ - hang_probe_run_deadline \(Failed\)' "the stopped test named in the summary"
[ $fail -eq 0 ] && echo "hung tests were stopped and reported by name in $elapsed s"
exit $fail
