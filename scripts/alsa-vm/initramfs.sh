#!/usr/bin/env bash
# Builds the guest's root file system as cpio archives, from files of this
# machine's own Debian packages: the VM has no disk, everything it runs must
# be in its initramfs. The kernel unpacks archives laid end to end one after
# the other, so the slow-changing part (busybox, modules, Xvfb, alsa-utils) is
# kept in the build folder and only the program's part is made on each run.
#
# usage: initramfs.sh base KERNEL_DIR OUT.cpio
#        initramfs.sh run OUT.cpio INIT_SCRIPT FILE:GUEST_PATH...
#   base: busybox, the kernel's sound modules, Xvfb with its xkb data, xprop,
#         alsa-utils and the ALSA configuration, one font family.
#   run:  INIT_SCRIPT as /init and each FILE at GUEST_PATH; executables bring
#         the libraries ldd names.
set -euo pipefail
# depmod, modprobe and ldconfig live in sbin, which a user's PATH may lack.
export PATH=$PATH:/usr/sbin:/sbin

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT

# Debian's /bin, /lib and /lib64 point into /usr; the guest gets the same, and
# every path is written under /usr so the two archives agree on the layout.
in_usr() {
    case $1 in
        /bin/*|/sbin/*|/lib/*|/lib64/*) echo "/usr$1" ;;
        *) echo "$1" ;;
    esac
}

# add_file HOST_PATH [GUEST_PATH]: a copy with symbolic links resolved.
add_file() {
    local guest
    guest=$(in_usr "${2:-$1}")
    mkdir -p "$stage$(dirname "$guest")"
    cp -L "$1" "$stage$guest"
}

# add_libraries FILE: the shared libraries FILE loads, and theirs.
add_libraries() {
    # A static program has none: ldd says so and fails.
    { ldd "$1" 2>/dev/null || true; } | awk '$2 == "=>" && $3 ~ /^\// { print $3 } $1 ~ /^\// { print $1 }' |
        while read -r library; do
            [ -e "$stage$(in_usr "$library")" ] || add_file "$library"
        done
}

add_program() {
    add_file "$1" "${2:-$1}"
    add_libraries "$1"
}

# add_tree HOST_DIR: a folder as it is (data such as xkb keymaps, ALSA's configuration).
add_tree() {
    mkdir -p "$stage$(dirname "$1")"
    cp -a "$1" "$stage$(dirname "$1")/"
}

write_cpio() {
    (cd "$stage" && find . -mindepth 1 | LC_ALL=C sort | cpio -o -H newc --quiet) > "$1"
}

base() {
    local kernel=$1 out=$2

    for d in usr/bin usr/sbin usr/lib usr/lib64 proc sys dev tmp run root results var/lib/xkb etc; do
        mkdir -p "$stage/$d"
    done
    ln -s usr/bin "$stage/bin"
    ln -s usr/sbin "$stage/sbin"
    ln -s usr/lib "$stage/lib"
    ln -s usr/lib64 "$stage/lib64"

    add_file /bin/busybox
    ln -s busybox "$stage/usr/bin/sh"

    cp -a "$kernel/lib/modules" "$stage/usr/lib/"

    # Xvfb compiles its keymap with xkbcomp at start; xprop makes the atoms.
    add_program /usr/bin/Xvfb
    add_program /usr/bin/xkbcomp
    add_program /usr/bin/xprop
    add_tree /usr/share/X11/xkb
    [ -f /usr/lib/xorg/protocol.txt ] && add_file /usr/lib/xorg/protocol.txt

    for tool in aseqdump aconnect amidi; do
        add_program "/usr/bin/$tool"
    done
    add_tree /usr/share/alsa

    add_tree /etc/fonts
    add_tree /usr/share/fonts/truetype/dejavu

    echo "root:x:0:0:root:/root:/bin/sh" > "$stage/etc/passwd"
    echo "root:x:0:" > "$stage/etc/group"
    write_cpio "$out"
}

run() {
    local out=$1 init=$2
    shift 2
    add_file "$init" /init
    chmod 755 "$stage/init"

    local pair host guest
    for pair in "$@"; do
        host=${pair%%:*}
        guest=${pair#*:}
        if [ -x "$host" ]; then
            add_program "$host" "$guest"
        else
            add_file "$host" "$guest"
        fi
    done

    # What JUCE opens with dlopen at run time, so ldd does not name it.
    local library
    for library in libX11.so.6 libXext.so.6 libXcursor.so.1 libXinerama.so.1 libXrender.so.1 libXrandr.so.2; do
        library=$(ldconfig -p | awk -v name="$library" '$1 == name && /x86-64/ && !found { print $NF; found = 1 }')
        [ -n "$library" ] || continue
        [ -e "$stage$(in_usr "$library")" ] || add_file "$library"
        add_libraries "$library"
    done
    write_cpio "$out"
}

mode=$1
shift
"$mode" "$@"
