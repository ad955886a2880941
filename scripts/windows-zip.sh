#!/usr/bin/env bash
# Packs the Windows program for handing out: brevane.exe (without its symbol
# table), the licence and the README, in build-windows/brevane-windows.zip.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build-windows}

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
mkdir -p "$stage/brevane"
x86_64-w64-mingw32-strip -o "$stage/brevane/brevane.exe" "$build_dir/bin/brevane.exe"
cp LICENSE README.md "$stage/brevane/"

zip_file=$(realpath -m "$build_dir/brevane-windows.zip")
rm -f "$zip_file"
(cd "$stage" && zip -q -r -X "$zip_file" brevane)
echo "wrote $zip_file ($(stat -c %s "$zip_file") bytes)"
