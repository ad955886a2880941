#!/usr/bin/env bash
# Installs what the Windows cross-build and its Wine smoke test need, from
# Debian's packages only. Used by `make windows` and CI alone, so a Linux-only
# developer never pulls in a compiler and Wine. Safe to run again.
set -euo pipefail

packages=(
    # The posix thread model: the win32 one has no std::thread.
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
    libz-mingw-w64-dev
    cmake ccache zip
    wine wine64 fonts-wine
    xvfb xauth xdotool x11-utils imagemagick python3
)

bash "$(dirname "$0")/install-packages.sh" "${packages[@]}"
