#!/usr/bin/env bash
# Fails when a Windows header is included outside a win32/ folder: the core must build anywhere.
set -u
root=${1:-.}
cd "$root" || exit 2
pattern='^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]([A-Za-z0-9_]+/)*(windows|windef|winbase|winuser|wingdi|winreg|winnt|winerror|winver|commctrl|commdlg|shellapi|shlobj|shlwapi|objbase|ole2|dde|ddeml|mmsystem|richedit|tchar|winsock2?|ws2tcpip|process|direct|io|conio)\.h[>"]'
bad=$(find . -path ./build -prune -o -path ./.git -prune -o -type f \( -name '*.cpp' -o -name '*.h' -o -name '*.hpp' -o -name '*.cc' -o -name '*.c' \) -print |
      grep -v -E '(^|/)win32/' | xargs -r grep -l -i -E "$pattern" 2>/dev/null)
if [ -n "$bad" ]; then
    echo "Windows headers included outside a win32/ folder:"
    echo "$bad" | while read -r f; do grep -n -i -E "$pattern" "$f" | sed "s|^|$f:|"; done
    exit 1
fi
echo "layering ok: no Windows header outside win32/"
