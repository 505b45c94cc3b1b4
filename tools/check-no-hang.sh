#!/usr/bin/env bash
# Proves the test command ends on a busy machine from scratch: RUNS times (default 3), clone the
# repository's current commit into a fresh folder (no build, no Wine prefix), load the machine
# with two `yes > /dev/null` loops, run `bash .ci/run` there with a deadline, stop the loops by
# their PIDs, and report each run's wall time and status.
#
#   tools/check-no-hang.sh [RUNS]
#
#   VT_CHECK_SECONDS  deadline of one run (default 7200); a run that reaches it is reported HUNG
#   VT_CHECK_DIR      where the fresh folders are made (default: TMPDIR or /tmp)
#   VT_CHECK_KEEP=1   keep the folders of passed runs too (failed runs are always kept)
#
# Only committed work is checked: the clone is of HEAD.
set -u
runs=${1:-3}
limit=${VT_CHECK_SECONDS:-7200}
parent=${VT_CHECK_DIR:-${TMPDIR:-/tmp}}
repo=$(cd "$(dirname "$0")/.." && pwd)
commit=$(git -C "$repo" rev-parse HEAD) || exit 1
[ -z "$(git -C "$repo" status --porcelain --untracked-files=no)" ] ||
    echo "note: uncommitted changes in $repo are not part of the check"
mkdir -p "$parent"

loads=()
stop_loads() {
    local pid
    for pid in "${loads[@]}"; do
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    loads=()
}
trap 'stop_loads' EXIT
trap 'stop_loads; exit 130' INT TERM

results=()
failed=0
for ((run = 1; run <= runs; run++)); do
    dir=$(mktemp -d "$parent/vt-no-hang.XXXXXX")
    echo "=== run $run of $runs: $commit in $dir"
    if ! git clone -q --no-hardlinks "$repo" "$dir/src" >"$dir/clone.log" 2>&1 ||
        ! git -C "$dir/src" checkout -q --detach "$commit" >>"$dir/clone.log" 2>&1; then
        cat "$dir/clone.log"
        results+=("run $run: CLONE FAILED")
        failed=1
        continue
    fi
    yes >/dev/null &
    loads+=($!)
    yes >/dev/null &
    loads+=($!)
    echo "load: yes loops ${loads[*]}"
    start=$(date +%s)
    # The run's output goes to a file, so nothing it leaves behind can hold this script.
    (cd "$dir/src" && exec timeout -k 60 "$limit" bash .ci/run) </dev/null >"$dir/run.log" 2>&1
    status=$?
    elapsed=$(($(date +%s) - start))
    stop_loads
    # Nothing of the clone's Wine prefix may outlive the run.
    left=$(VT_BUILD_DIR="$dir/src/build/windows" bash -c \
        'source "$0/tests/wine-env.sh" && vt_prefix_pids' "$dir/src" 2>/dev/null | xargs)
    if [ -n "$left" ]; then
        kill -KILL $left 2>/dev/null
    fi
    summary=$(grep -E '^=== |tests passed|tests failed' "$dir/run.log" | tail -n 12)
    if [ $status -eq 124 ] || [ $status -eq 137 ]; then
        verdict="HUNG (stopped after $limit s)"
    elif [ $status -ne 0 ]; then
        verdict="FAILED (exit status $status)"
    else
        verdict="passed"
    fi
    [ -z "$left" ] || verdict="$verdict; Wine processes left after the run: $left"
    echo "$summary"
    echo "run $run: $verdict in $elapsed s (log: $dir/run.log)"
    results+=("run $run: $verdict in $elapsed s")
    if [ "$verdict" = passed ]; then
        [ "${VT_CHECK_KEEP:-0}" = 1 ] || rm -rf "$dir"
    else
        failed=1
        tail -n 40 "$dir/run.log"
    fi
done
echo "=== check-no-hang: $commit, $runs run(s), each loaded with two yes loops"
printf '%s\n' "${results[@]}"
exit $failed
