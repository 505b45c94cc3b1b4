#!/usr/bin/env bash
# The run command: installs what is missing, builds the Windows preset and starts the Studio
# under Wine. Without a display it runs on a virtual one, saves a screenshot of the Studio's
# window as a PNG, prints its path and closes the program.
set -euo pipefail
cd "$(dirname "$0")/.."
./tools/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows -j "${VT_JOBS:-2}" --target VTEDIT >/dev/null
build=$PWD/build/windows
# An interactive prefix of its own: the test prefix uses Wine's null display driver.
export VT_BUILD_DIR=$build
source tests/wine-env.sh
export WINEPREFIX=$build/wineprefix-run
if [ ! -d "$WINEPREFIX" ]; then
    "$VT_WINE" wineboot -i >/dev/null 2>&1 || true
    "$VT_WINESERVER" -w
    cp -n /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
fi
if [ -n "${DISPLAY:-}" ]; then
    exec "$VT_WINE" "$build/bin/VTEDIT.exe" "$@"
fi
export VT_SHOT=$build/studio-screenshot.png VT_WINE VT_WINESERVER VT_EXE=$build/bin/VTEDIT.exe
rm -f "$VT_SHOT"
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    "$VT_WINE" "$VT_EXE" "$@" >/dev/null 2>&1 &
    id=
    for i in $(seq 1 150); do
        id=$(xwininfo -root -tree 2>/dev/null | grep "\"Vantoro Studio" | head -n1 | awk "{print \$1}")
        [ -n "$id" ] && break
        sleep 0.2
    done
    [ -n "$id" ] || { echo "the Studio window did not appear"; "$VT_WINESERVER" -k; exit 1; }
    sleep 2
    import -window "$id" "$VT_SHOT"
    "$VT_WINESERVER" -k
' run-studio "$@"
echo "Screenshot of the Studio: $VT_SHOT"
