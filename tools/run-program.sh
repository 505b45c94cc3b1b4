#!/usr/bin/env bash
# Shared by the run commands: installs what is missing, builds the Windows preset's program and
# starts it under Wine. Without a display it runs on a virtual one, saves a screenshot of the
# program's window as a PNG, prints its path and closes the program.
#   run-program.sh TARGET "Window title prefix" screenshot-name [program arguments...]
set -euo pipefail
target=$1 title=$2 shot_name=$3
shift 3
cd "$(dirname "$0")/.."
./tools/install-deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows -j "${VT_JOBS:-2}" --target "$target" >/dev/null
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
    exec "$VT_WINE" "$build/bin/$target.exe" "$@"
fi
export VT_SHOT=$build/$shot_name.png VT_WINE VT_WINESERVER VT_EXE=$build/bin/$target.exe VT_TITLE=$title
rm -f "$VT_SHOT"
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    "$VT_WINE" "$VT_EXE" "$@" >/dev/null 2>&1 &
    id=
    for i in $(seq 1 150); do
        id=$(xwininfo -root -tree 2>/dev/null | grep "\"$VT_TITLE" | head -n1 | awk "{print \$1}")
        [ -n "$id" ] && break
        sleep 0.2
    done
    [ -n "$id" ] || { echo "the window \"$VT_TITLE\" did not appear"; "$VT_WINESERVER" -k; exit 1; }
    sleep 2
    import -window "$id" "$VT_SHOT"
    "$VT_WINESERVER" -k
' run-program "$@"
echo "Screenshot of $title: $VT_SHOT"
