#!/usr/bin/env bash
# Installs, from Debian's packages, whatever the build and the tests need and the machine lacks.
set -euo pipefail
packages=(
    cmake make g++ clang libclang-rt-14-dev       # native build, sanitizers, libFuzzer
    googletest libgtest-dev libbenchmark-dev      # unit tests (also cross-built from source), benchmarks
    g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev binutils-mingw-w64-x86-64   # Windows build
    wine wine64 fonts-wine                        # running and testing the programs
    xvfb xauth x11-utils imagemagick              # a virtual display and screenshots
    icoutils giflib-tools                         # independent readers of our files
    dpkg-dev file unzip python3                   # packages and their checks, JSON checks
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    SUDO=; [ "$(id -u)" -eq 0 ] || SUDO=sudo
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
