#!/usr/bin/env bash
# `make test-alsa`: the built program against the Linux kernel's own MIDI
# stack, which the simulated devices only imitate: ALSA's sequencer and the
# snd-virmidi driver, and the serial UART MIDI driver (snd-serial-u16550 on
# qemu's emulated 16550, through snd-seq-midi and raw MIDI), the kernel's
# path for a DIN interface. That UART's far end is a pipe the host drains at
# exactly 3125 bytes a second (tests/alsa/wire-drain.py): the bytes it takes
# are the wire. Debian's kernel boots under qemu without KVM; the guest runs
# the cases (tests/alsa/guest-init.sh) and writes what happened to a folder
# of the host shared over 9p, the host judges (tests/alsa/check.sh). The VM
# is always powered off: the guest powers itself off, and a guest that hangs
# is ended after $ALSA_VM_TIMEOUT seconds.
#
# usage: run.sh BUILD_DIR
# ALSA_VM_RESULTS=DIR keeps what the guest brought back there, for a closer look.
set -euo pipefail
cd "$(dirname "$0")/../.."

build=$(realpath "$1")
program=$build/bin/brevane
cache=$build/alsa-vm
vm_timeout=${ALSA_VM_TIMEOUT:-600}
[ -x "$program" ] || { echo "no program at $program: build it first" >&2; exit 1; }

kernel=$(bash scripts/alsa-vm/deps.sh "$cache")

# The guest's unchanging part is kept between runs; it is made again when the
# kernel or the way it is made changes.
key=$( { cat scripts/alsa-vm/initramfs.sh "$kernel/ready"; echo "$kernel"; } | sha256sum | cut -c1-16)
base=$cache/base-$key.cpio
if [ ! -f "$base" ]; then
    echo "Making the guest's base archive" >&2
    rm -f "$cache"/base-*.cpio
    bash scripts/alsa-vm/initramfs.sh base "$kernel" "$base.part"
    mv "$base.part" "$base"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cc -static -O2 -Wall -Wextra -o "$work/midi-timestamps" tests/alsa/midi-timestamps.c

# The files sent (see make-sysex.py). The upload's lengths vary, several of
# hundreds of bytes, so the transfer time shows in the gaps even when the
# guest's own slowness stretches some of them. On the UART: the built-in
# image's lengths, then messages far longer than any in it: a few KiB, more
# than the raw MIDI buffer of 4 KiB, and 64 KiB.
python3 tests/alsa/make-sysex.py "$work/upload.syx" 12 537 40 1500 6 480 300 96
python3 tests/alsa/make-sysex.py "$work/unplug.syx" $(printf '64 %.0s' $(seq 30))
python3 tests/alsa/make-sysex.py "$work/uart-image.syx" 9 9 40 537 40 536 536 131 40 9
python3 tests/alsa/make-sysex.py "$work/uart-long.syx" 3000 6000 65536 9

bash scripts/alsa-vm/initramfs.sh run "$work/run.cpio" tests/alsa/guest-init.sh \
    "$program:/usr/bin/brevane" \
    "$work/midi-timestamps:/usr/bin/midi-timestamps" \
    "scripts/xvfb-session-atoms.sh:/usr/share/brevane-test/xvfb-session-atoms.sh" \
    "scripts/xvfb-session-atoms.txt:/usr/share/brevane-test/xvfb-session-atoms.txt" \
    "$work/upload.syx:/data/upload.syx" \
    "$work/unplug.syx:/data/unplug.syx" \
    "$work/uart-image.syx:/data/uart-image.syx" \
    "$work/uart-long.syx:/data/uart-long.syx"
cat "$base" "$work/run.cpio" > "$work/initrd"

mkdir -p "$work/results"
mkfifo "$work/uart.in" "$work/uart.out"
python3 tests/alsa/wire-drain.py "$work/uart.out" "$work/results/wire" &
drain=$!

echo "Booting $(basename "$kernel") under qemu (TCG), at most $vm_timeout s" >&2
# On a busy host the emulated CPU is slow enough to fail the kernel's check of
# the timer interrupt, which then panics: no_timer_check skips it. The first
# serial port (0x3f8, IRQ 4) is the MIDI UART; with one UART allowed, the
# kernel's serial driver keeps only the console's (0x2f8, ttyS0), and
# snd-serial-u16550 may take the other.
started=$(date +%s%N)
set +e
timeout -k 10 "$vm_timeout" qemu-system-x86_64 \
    -nodefaults -no-user-config -accel tcg -m 2048 -smp 2 \
    -display none -no-reboot \
    -kernel "$kernel/vmlinuz" -initrd "$work/initrd" \
    -append "console=ttyS0 panic=-1 quiet no_timer_check 8250.nr_uarts=1" \
    -virtfs local,path="$work/results",mount_tag=results,security_model=none \
    -chardev pipe,id=uart,path="$work/uart" \
    -serial chardev:uart -serial "file:$work/console.txt" \
    < /dev/null
qemu_status=$?
set -e
wall_ms=$(( ($(date +%s%N) - started) / 1000000 ))

echo "--- guest console"
tr -d '\r' < "$work/console.txt"
echo "---"
echo "VM wall time: $(( wall_ms / 1000 )).$(printf '%03d' $(( wall_ms % 1000 ))) s (qemu exit status $qemu_status)"
[ "$qemu_status" -ne 124 ] && [ "$qemu_status" -ne 137 ] || echo "The VM had not powered off after $vm_timeout s and was ended."

kill "$drain" 2> /dev/null
wait "$drain" 2> /dev/null || true

if [ -n "${ALSA_VM_RESULTS:-}" ]; then
    mkdir -p "$ALSA_VM_RESULTS"
    cp -a "$work/results/." "$work/console.txt" "$work"/*.syx "$ALSA_VM_RESULTS/"
fi

bash tests/alsa/check.sh "$work/results" "$work"
