#!/usr/bin/env bash
# Builds the build folder's package with CPack and checks it as a user receives it.
#   tools/check-package.sh BUILD_DIR DEB vantoro
#       `cmake --install` puts vantoro and its manual page under a prefix; the .deb names the
#       dependencies dpkg-shlibdeps computed, unpacks with dpkg -x into a scratch root, and its
#       vantoro runs there.
#   tools/check-package.sh BUILD_DIR ZIP FILE...
#       the ZIP holds exactly the files named (the binaries the build made, default.pal, README).
set -euo pipefail
build=$1
generator=$2
shift 2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "package check: $*" >&2; exit 1; }

if ! cpack --config "$build/CPackConfig.cmake" -G "$generator" -B "$work/out" >"$work/cpack.log" 2>&1; then
    cat "$work/cpack.log"
    fail "cpack -G $generator failed"
fi

case $generator in
DEB)
    cmake --install "$build" --prefix "$work/prefix" >/dev/null
    [ -x "$work/prefix/bin/vantoro" ] || fail "cmake --install did not install bin/vantoro"
    [ -f "$work/prefix/share/man/man1/vantoro.1" ] || fail "cmake --install did not install the manual page"
    debs=("$work"/out/*.deb)
    [ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "expected one .deb, found: ${debs[*]}"
    depends=$(dpkg-deb -f "${debs[0]}" Depends)
    echo "Depends: $depends"
    grep -q 'libc6' <<<"$depends" || fail "the package names no computed dependencies"
    dpkg -x "${debs[0]}" "$work/root"
    for f in "$@"; do [ -x "$work/root/usr/bin/$f" ] || fail "usr/bin/$f missing from the package"; done
    [ -f "$work/root/usr/share/man/man1/vantoro.1" ] || fail "the manual page is missing from the package"
    "$work/root/usr/bin/vantoro" --help | grep -q '^usage: vantoro' || fail "vantoro --help did not run from the package"
    grep -q '^\.SH NAME' "$work/root/usr/share/man/man1/vantoro.1" || fail "the manual page is not one"
    ;;
ZIP)
    zips=("$work"/out/*.zip)
    [ ${#zips[@]} -eq 1 ] && [ -f "${zips[0]}" ] || fail "expected one .zip, found: ${zips[*]}"
    listing=$(unzip -Z1 "${zips[0]}" | grep -v '/$' | sort)
    expected=$(printf '%s\n' "$@" | sort)
    echo "$listing"
    [ "$listing" = "$expected" ] || fail "the ZIP holds other files than expected:
$(diff <(echo "$expected") <(echo "$listing"))"
    ;;
*)
    fail "unknown generator $generator"
    ;;
esac
echo "package check: $generator ok"
