#!/usr/bin/env bash
# Builds libpng and libjpeg for Windows, static, from Debian's own sources.
# Debian's JUCE leaves out its bundled copies and Debian ships no MinGW builds
# of them. The sources are fetched with a private apt list, so the system's
# apt configuration is left as it is. Done once per folder.
set -euo pipefail
toolchain=$(realpath "$1")
prefix=$(realpath -m "$2")

[ -f "$prefix/.built" ] && exit 0

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/lists/partial" "$work/cache/archives/partial" "$work/src"

keyring=/usr/share/keyrings/debian-archive-keyring.gpg
cat > "$work/sources.list" <<LIST
deb-src [signed-by=$keyring] http://deb.debian.org/debian bookworm main
LIST
apt=(apt-get -qq -o Dir::Etc::SourceList="$work/sources.list" -o Dir::Etc::SourceParts=/dev/null
     -o Dir::State::Lists="$work/lists" -o Dir::Cache="$work/cache" -o APT::Sandbox::User="$(id -un)")

echo "Fetching the sources of libpng and libjpeg-turbo"
"${apt[@]}" update
(cd "$work/src" && "${apt[@]}" source libpng1.6 libjpeg-turbo > /dev/null)

jobs=$(nproc)
build() {
    local name=$1; shift
    local dir
    dir=$(find "$work/src" -maxdepth 1 -type d -name "$name-*" | head -n 1)
    cmake -S "$dir" -B "$work/build-$name" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
          -DCMAKE_INSTALL_PREFIX="$prefix" "$@" > "$work/$name.log" 2>&1 \
        && cmake --build "$work/build-$name" -j "$jobs" >> "$work/$name.log" 2>&1 \
        && cmake --install "$work/build-$name" >> "$work/$name.log" 2>&1 \
        || { tail -n 40 "$work/$name.log"; exit 1; }
}

echo "Building libpng for Windows"
build libpng1.6 -DPNG_SHARED=OFF -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF
echo "Building libjpeg for Windows"
build libjpeg-turbo -DENABLE_SHARED=OFF -DWITH_SIMD=OFF -DWITH_TURBOJPEG=OFF
# JUCE includes jpeglib.h with JPEG_INTERNALS, which wants the private header too.
cp "$(find "$work/src" -maxdepth 2 -name jpegint.h | head -n 1)" "$prefix/include/"
# JUCE includes jpeglib.h inside a namespace after windows.h and expects
# boolean there; the same unsigned char typedef again is harmless.
sed -i 's|^#ifndef __RPCNDR_H__ .*|#if 1|' "$prefix/include/jconfig.h"

touch "$prefix/.built"
