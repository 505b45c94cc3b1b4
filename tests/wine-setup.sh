#!/usr/bin/env bash
# Makes the build's private Wine prefix on first use and starts a persistent wine server for the
# test run. Headless: the null display driver, so windows, menus, dialogs and messages work
# without an X server.
#
# Every Wine process started here writes to wine-setup.log in the build folder, never to our
# output: the server and the helpers it starts (services, plugplay, winedevice, ...) live on for
# the whole run, and one holding CTest's pipe would keep this test from ever ending. Every step
# has a deadline.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
mkdir -p "$VT_BUILD_DIR"
log="$VT_BUILD_DIR/wine-setup.log"
: >"$log"

fail() {
    echo "wine-setup.sh: $*" >&2
    echo "--- $log:" >&2
    tail -n 40 "$log" >&2
    exit 1
}
# step SECONDS COMMAND...: runs one Wine command with a deadline, its descriptors on the log.
step() {
    local seconds=$1
    shift
    timeout -k 10 "$seconds" "$@" </dev/null >>"$log" 2>&1
}
# wait_for SECONDS WHAT TEST...: polls the test every 0.1 s until it holds or the time is up.
wait_for() {
    local seconds=$1 what=$2 tries
    shift 2
    for ((tries = seconds * 10; tries > 0; tries--)); do
        "$@" && return 0
        sleep 0.1
    done
    fail "no $what after $seconds s"
}
no_prefix_process() { [ -z "$(vt_prefix_pids)" ]; }

# A server left by an interrupted run of this prefix is ended first, so that the one this run
# uses, and its helpers, are the ones started below with their output on the log.
if [ -n "$(vt_prefix_pids)" ]; then
    step 30 "$VT_WINESERVER" -k || true
    wait_for 30 "end of the previous run's Wine processes" no_prefix_process
fi

if [ ! -f "$WINEPREFIX/.vt-ready" ]; then
    rm -rf "$WINEPREFIX"
    step 300 "$VT_WINE" wineboot -i || true
    step 120 "$VT_WINESERVER" -w || fail "the new prefix's processes did not end"
    [ -f "$WINEPREFIX/system.reg" ] || fail "wineboot did not make the prefix"
    # Debian's Wine does not find its own fonts unless they are in the prefix.
    if [ -d /usr/share/wine/fonts ]; then
        cp -n /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    fi
    step 120 "$VT_WINE" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f \
        || fail "could not choose the null display driver"
    step 120 "$VT_WINESERVER" -w || fail "the prefix's processes did not end"
    touch "$WINEPREFIX/.vt-ready"
fi

# A persistent server keeps each program start cheap. Debian's Wine keeps the server's folder
# in TMPDIR and names it in the prefix; when that folder has gone (a reboot) the first start only
# repairs the name and must be repeated.
server_started() { socket=$(vt_server_socket) && [ -S "$socket" ]; }
for attempt in 1 2; do
    "$VT_WINESERVER" -p </dev/null >>"$log" 2>&1 &
    for ((tries = 300; tries > 0; tries--)); do
        server_started && break
        sleep 0.1
    done
    server_started && break
done
server_started || fail "no wine server socket ($(vt_server_socket)) after two starts of 30 s"
# The first program of the server starts Wine's helpers; once it has ended they are up.
step 180 "$VT_WINE" cmd /c exit || fail "'wine cmd /c exit' did not finish"
echo "wine prefix ready: $WINEPREFIX (server socket $socket)"
