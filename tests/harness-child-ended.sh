#!/usr/bin/env bash
# Runs after the "wine" fixture's cleanup: the child that harness_wine_tests left running (its
# token is in the marker) must have been ended, and no Wine process of the prefix may be left.
source "$(dirname "$0")/wine-env.sh"
marker="$VT_BUILD_DIR/harness-linger-child.txt"
[ -s "$marker" ] || { echo "no marker $marker: harness_wine_tests did not leave its child running"; exit 1; }
token=$(head -n 1 "$marker")
rm -f "$marker"
status=0
for file in $(grep -lzF -- "$token" /proc/[0-9]*/cmdline 2>/dev/null); do
    pid=${file#/proc/}
    pid=${pid%/cmdline}
    exe=$(readlink "/proc/$pid/exe" 2>/dev/null) || continue
    case "${exe##*/}" in
        wine*) echo "the child left running ($token) still runs as process $pid"; status=1 ;;
    esac
done
left=$(vt_prefix_pids | xargs)
[ -z "$left" ] || { echo "Wine processes of $WINEPREFIX left after the cleanup: $left"; status=1; }
[ $status -eq 0 ] && echo "the cleanup ended the child left running ($token) and every process of the prefix"
exit $status
