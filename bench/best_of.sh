# Sourced by the timing scripts. `best_of command...` runs the command five times and prints the
# shortest wall time in seconds; with FRESH set, that folder is made anew (untimed) before each
# run, for commands that write into it.
best_of() {
    local best="" start end t
    for run in 1 2 3 4 5; do
        if [ -n "${FRESH:-}" ]; then rm -rf "${FRESH:?}" && mkdir "$FRESH"; fi
        start=$(date +%s.%N)
        "$@" >/dev/null 2>&1 || true
        end=$(date +%s.%N)
        t=$(echo "$end - $start" | bc -l)
        if [ -z "$best" ] || [ "$(echo "$t < $best" | bc -l)" = 1 ]; then best=$t; fi
    done
    echo "$best"
}
