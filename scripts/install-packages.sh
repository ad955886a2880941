#!/usr/bin/env bash
# Installs those of the named Debian packages that are missing; nothing when
# all are there. Everything it says goes to standard error, so a caller's
# standard output stays its own.
#
# usage: install-packages.sh PACKAGE...
set -euo pipefail

missing=()
for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

[ ${#missing[@]} -gt 0 ] || exit 0

echo "Installing: ${missing[*]}" >&2
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

# Another apt run on the machine may hold the lock for a while: wait for it.
apt_get() {
    DEBIAN_FRONTEND=noninteractive $sudo apt-get -o DPkg::Lock::Timeout=600 "$@" >&2
}
apt_get update -qq
apt_get install -y -qq --no-install-recommends "${missing[@]}"
