#!/usr/bin/env bash
# What the test on the kernel's own MIDI driver needs beyond `make deps`, all
# from Debian: qemu, the guest's tools, and a Debian kernel that is fetched
# and unpacked (never installed: the host's own kernel stays as it is).
#
# usage: deps.sh CACHE_DIR
# Leaves CACHE_DIR/kernel-<version>/ with vmlinuz and the modules the guest
# loads (the virtual and the serial UART MIDI drivers, and 9p over virtio for
# the host's folders) under lib/modules/<version>, and prints that folder. A
# second run finds it there and neither downloads nor unpacks anything.
set -euo pipefail
cache=$1
# depmod, modprobe and ldconfig live in sbin, which a user's PATH may lack.
export PATH=$PATH:/usr/sbin:/sbin

packages=(
    qemu-system-x86 busybox-static alsa-utils cpio kmod
    xvfb x11-utils x11-xkb-utils xkb-data
)

# Another apt run on the machine holds the lock for a while: wait for it.
apt_get() {
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    DEBIAN_FRONTEND=noninteractive $sudo apt-get -o DPkg::Lock::Timeout=600 "$@"
}

bash "$(dirname "$0")/../install-packages.sh" "${packages[@]}"

modules=(snd-virmidi snd-serial-u16550 snd-seq-midi 9p 9pnet_virtio virtio_pci)

mkdir -p "$cache"
# A folder made for another set of modules is made again.
existing=$(find "$cache/" -maxdepth 1 -name 'kernel-*' -type d -print | sort |
    while read -r folder; do
        if [ "$(cat "$folder/ready" 2>/dev/null)" = "${modules[*]}" ]; then echo "$folder"; fi
    done | tail -n 1)
if [ -n "$existing" ]; then
    echo "$existing"
    exit 0
fi

# The meta-package names the current kernel, so this follows Debian's updates.
kernel_package() {
    apt-cache depends linux-image-amd64 2>/dev/null | awk '/Depends: linux-image-[0-9]/ && !found { print $2; found = 1 }'
}
package=$(kernel_package)
if [ -z "$package" ]; then
    apt_get update -qq
    package=$(kernel_package)
fi
[ -n "$package" ] || { echo "no Debian kernel package found" >&2; exit 1; }
version=${package#linux-image-}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# apt's download user must be able to write there.
chmod 777 "$work"
echo "Fetching $package" >&2
(cd "$work" && apt_get download -qq "$package" >&2)
dpkg-deb -x "$work"/linux-image-*.deb "$work/root"
depmod -b "$work/root" "$version"

target=$cache/kernel-$version
rm -rf "$target"
mkdir -p "$target/lib/modules/$version"
cp "$work/root/boot/vmlinuz-$version" "$target/vmlinuz"
cp "$work/root/lib/modules/$version"/modules.{order,builtin,builtin.modinfo} "$target/lib/modules/$version/"
for module in "${modules[@]}"; do
    modprobe -d "$work/root" -S "$version" --show-depends "$module"
done | awk '$1 == "insmod" { print $2 }' | sort -u |
    while read -r module; do
        relative=${module#"$work/root/"}
        mkdir -p "$target/$(dirname "$relative")"
        cp "$module" "$target/$relative"
    done
depmod -b "$target" "$version"
echo "${modules[*]}" > "$target/ready"
echo "$target"
