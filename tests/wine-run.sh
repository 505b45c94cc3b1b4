#!/usr/bin/env bash
# CTest's emulator for the Windows test executables: run one program in the build's prefix.
# The prefix and the persistent wine server are made by the "wine" fixture (wine-setup.sh).
if [ -z "${VT_BUILD_DIR:-}" ]; then
    # Outside CTest: the build folder is the one holding the program (testbin/ or bin/).
    VT_BUILD_DIR=$(cd "$(dirname "$1")/.." && pwd)
fi
source "$(dirname "$0")/wine-env.sh"
exec "$VT_WINE" "$@"
