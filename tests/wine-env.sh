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

# The socket of the prefix's wine server: in server-DEV-INODE (the prefix folder's device and
# inode in hex) under /tmp/.wine-UID, or, with Debian's Wine, under the private folder of TMPDIR
# that the prefix's "wineserver" file names. Empty while the prefix does not exist.
vt_server_socket() {
    local dev ino dir
    read -r dev ino < <(stat -L -c '%d %i' "$WINEPREFIX" 2>/dev/null) || return 0
    if [ -f "$WINEPREFIX/wineserver" ]; then
        dir="${TMPDIR:-/tmp}/$(head -n 1 "$WINEPREFIX/wineserver")"
    else
        dir="/tmp/.wine-$(id -u)"
    fi
    printf '%s/server-%x-%x/socket\n' "$dir" "$dev" "$ino"
}

# The PIDs of the Wine processes of this prefix only: a Wine executable (the server, the loader,
# the preloader) started with exactly this WINEPREFIX. Other prefixes' processes are never
# listed, nor the shells and tools that carry the variable.
vt_prefix_pids() {
    local file pid exe
    for file in $(grep -lzxF -- "WINEPREFIX=$WINEPREFIX" /proc/[0-9]*/environ 2>/dev/null); do
        pid=${file#/proc/}
        pid=${pid%/environ}
        exe=$(readlink "/proc/$pid/exe" 2>/dev/null) || continue
        case "${exe##*/}" in wine*) echo "$pid" ;; esac
    done
}
