#!/usr/bin/env bash
# Installs what building, running and testing Brevane needs, from Debian's
# packages only. Safe to run again: it installs only what is missing.
set -euo pipefail

packages=(
    build-essential cmake pkg-config
    juce-modules-source
    libasound2-dev libfreetype-dev libfontconfig1-dev libpng-dev libjpeg-dev zlib1g-dev
    libx11-dev libxrandr-dev libxinerama-dev libxcursor-dev libxext-dev
    libgtest-dev libgmock-dev
    clang libclang-rt-14-dev
    xvfb xauth xdotool x11-utils imagemagick python3
    valgrind ccache desktop-file-utils
    dpkg-dev file man-db
)

bash "$(dirname "$0")/install-packages.sh" "${packages[@]}"
