# Sourced by the Wine scripts: the private prefix of one build folder and a quiet Wine.
# VT_BUILD_DIR names the build folder (the windows preset's binary dir).
: "${VT_BUILD_DIR:?VT_BUILD_DIR must name the build folder}"
export WINEPREFIX="$VT_BUILD_DIR/wineprefix"
export WINEDEBUG=-all
export WINEARCH=win64
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINELOADER=/usr/lib/wine/wine64
VT_WINE=/usr/lib/wine/wine64
[ -x "$VT_WINE" ] || VT_WINE=$(command -v wine64 || command -v wine)
VT_WINESERVER=$(command -v wineserver || echo /usr/lib/wine/wineserver64)
