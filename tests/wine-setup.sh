#!/usr/bin/env bash
# Makes the build's private Wine prefix on first use and starts a persistent wine server for the
# test run. Headless: the null display driver, so windows, menus, dialogs and messages work
# without an X server.
set -euo pipefail
source "$(dirname "$0")/wine-env.sh"
mkdir -p "$VT_BUILD_DIR"
if [ ! -f "$WINEPREFIX/.vt-ready" ]; then
    rm -rf "$WINEPREFIX"
    "$VT_WINE" wineboot -i >/dev/null 2>&1 || true
    "$VT_WINESERVER" -w
    # Debian's Wine does not find its own fonts unless they are in the prefix.
    if [ -d /usr/share/wine/fonts ]; then
        cp -n /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    fi
    "$VT_WINE" reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
    "$VT_WINESERVER" -w
    touch "$WINEPREFIX/.vt-ready"
fi
# A persistent server keeps each program start cheap; its helpers must not hold our stdout.
"$VT_WINESERVER" -p >/dev/null 2>&1 </dev/null &
sleep 0.3
"$VT_WINE" cmd /c exit >/dev/null 2>&1 </dev/null || true
echo "wine prefix ready: $WINEPREFIX"
