#!/usr/bin/env bash
# Ends this prefix's wine server and every Wine process of the prefix (programs a test left
# running, their children, Wine's helpers), so nothing outlives the test run. Other prefixes,
# other builds' servers included, are left alone.
source "$(dirname "$0")/wine-env.sh"
log="$VT_BUILD_DIR/wine-setup.log"

# The server kills every process connected to it, then exits.
timeout -k 5 30 "$VT_WINESERVER" -k </dev/null >>"$log" 2>&1
for ((tries = 300; tries > 0; tries--)); do
    [ -z "$(vt_prefix_pids)" ] && break
    sleep 0.1
done
# Whatever is left (a process that never reached the server, a server that did not answer) is
# ended by its PID.
left=$(vt_prefix_pids | xargs)
if [ -n "$left" ]; then
    for pid in $left; do
        echo "ending left-over Wine process $pid: $(tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null)"
        kill -KILL "$pid" 2>/dev/null
    done
    sleep 1
fi
left=$(vt_prefix_pids | xargs)
if [ -n "$left" ]; then
    echo "Wine processes of $WINEPREFIX still running: $left" >&2
    exit 1
fi
echo "wine server stopped; no process of $WINEPREFIX left"
