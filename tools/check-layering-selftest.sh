#!/usr/bin/env bash
# The layering check must catch a Windows header in a portable folder and accept one in win32/.
set -u
check=$(cd "$(dirname "$0")" && pwd)/check-layering.sh
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT
mkdir -p "$tmp/image/win32"
printf '#include <windows.h>\n' > "$tmp/image/win32/ok.cpp"
printf '#include <vector>\n' > "$tmp/image/fine.cpp"
"$check" "$tmp" >/dev/null || { echo "clean tree refused"; exit 1; }
printf '  #  include "WinUser.h"\n' > "$tmp/image/bad.h"
"$check" "$tmp" >/dev/null && { echo "header outside win32/ not caught"; exit 1; }
echo "layering check self-test ok"
