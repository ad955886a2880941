#!/usr/bin/env bash
# Builds the Debian package, installs it the way a user would, checks what it
# installed, then purges it and checks that nothing of it is left. Needs root.
set -euo pipefail
cd "$(dirname "$0")/.."

make package
deb=$(ls -t build-release/brevane_*.deb | head -n 1)
echo "package: $deb ($(du -k "$deb" | cut -f1) KiB)"
dpkg-deb --info "$deb" | sed -n '/Package:/,$p'

export DEBIAN_FRONTEND=noninteractive
apt-get install -y -qq "./$deb"
files=$(dpkg -L brevane)

fail() { echo "package check: $*" >&2; exit 1; }

[ "$(command -v brevane)" = /usr/bin/brevane ] || fail "brevane is not on the PATH as /usr/bin/brevane"
brevane --version
brevane --check
man -w brevane | grep -q '^/usr/share/man/man1/brevane.1.gz$' || fail "man -w brevane does not find the manual page"
desktop-file-validate /usr/share/applications/brevane.desktop
[ -f /usr/share/icons/hicolor/scalable/apps/brevane.svg ] || fail "the icon is missing"
[ -f /usr/share/doc/brevane/copyright ] || fail "the copyright file is missing"

apt-get purge -y -qq brevane
! dpkg-query -W brevane > /dev/null 2>&1 || fail "dpkg still knows brevane after the purge"
left=0
while read -r path; do
    # Folders it shares with other packages (/usr/bin, ...) stay; its files go.
    if [ -e "$path" ] && [ ! -d "$path" ]; then
        echo "left after the purge: $path" >&2
        left=1
    fi
done <<< "$files"
[ ! -e /usr/share/doc/brevane ] || { echo "left after the purge: /usr/share/doc/brevane" >&2; left=1; }
[ "$left" -eq 0 ] || fail "files were left behind"
hash -r
! command -v brevane > /dev/null || fail "brevane is still on the PATH"
echo "the package installs, runs and purges cleanly"
