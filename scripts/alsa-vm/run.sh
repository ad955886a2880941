#!/usr/bin/env bash
# `make test-alsa`: the built program against the Linux kernel's own MIDI
# stack (ALSA's sequencer and the snd-virmidi driver), which the simulated
# devices only imitate. Debian's kernel boots under qemu without KVM; the
# guest runs the cases (tests/alsa/guest-init.sh), the host judges what came
# back (tests/alsa/check.sh). The VM is always powered off: the guest powers
# itself off, and a guest that hangs is ended after $ALSA_VM_TIMEOUT seconds.
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
key=$( { cat scripts/alsa-vm/initramfs.sh; echo "$kernel"; } | sha256sum | cut -c1-16)
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

# The files sent: SysEx messages whose data bytes all stay below 0x80, as
# anything else would not cross a MIDI cable unchanged. The upload's lengths
# vary, several of hundreds of bytes, so the transfer time shows in the gaps
# even when the guest's own slowness stretches some of them.
python3 - "$work" <<'PY'
import sys
def sysex(lengths):
    out = bytearray()
    for i, n in enumerate(lengths):
        out += bytes([0xF0, 0x7D]) + bytes((i * 7 + j) & 0x7F for j in range(n - 3)) + bytes([0xF7])
    return bytes(out)
open(sys.argv[1] + "/upload.syx", "wb").write(sysex([12, 537, 40, 1500, 6, 480, 300, 96]))
open(sys.argv[1] + "/unplug.syx", "wb").write(sysex([64] * 30))
PY

bash scripts/alsa-vm/initramfs.sh run "$work/run.cpio" tests/alsa/guest-init.sh \
    "$program:/usr/bin/brevane" \
    "$work/midi-timestamps:/usr/bin/midi-timestamps" \
    "scripts/xvfb-session-atoms.sh:/usr/share/brevane-test/xvfb-session-atoms.sh" \
    "scripts/xvfb-session-atoms.txt:/usr/share/brevane-test/xvfb-session-atoms.txt" \
    "$work/upload.syx:/data/upload.syx" \
    "$work/unplug.syx:/data/unplug.syx"
cat "$base" "$work/run.cpio" > "$work/initrd"

echo "Booting $(basename "$kernel") under qemu (TCG), at most $vm_timeout s" >&2
# On a busy host the emulated CPU is slow enough to fail the kernel's check of
# the timer interrupt, which then panics: no_timer_check skips it.
started=$(date +%s%N)
set +e
timeout -k 10 "$vm_timeout" qemu-system-x86_64 \
    -nodefaults -no-user-config -accel tcg -m 2048 -smp 2 \
    -display none -no-reboot \
    -kernel "$kernel/vmlinuz" -initrd "$work/initrd" \
    -append "console=ttyS0 panic=-1 quiet no_timer_check" \
    -serial "file:$work/console.txt" -serial "file:$work/results.txt" \
    < /dev/null
qemu_status=$?
set -e
wall_ms=$(( ($(date +%s%N) - started) / 1000000 ))

echo "--- guest console"
tr -d '\r' < "$work/console.txt"
echo "---"
echo "VM wall time: $(( wall_ms / 1000 )).$(printf '%03d' $(( wall_ms % 1000 ))) s (qemu exit status $qemu_status)"
[ "$qemu_status" -ne 124 ] && [ "$qemu_status" -ne 137 ] || echo "The VM had not powered off after $vm_timeout s and was ended."

mkdir -p "$work/results"
tr -d '\r' < "$work/results.txt" | sed -n '/^BEGIN RESULTS$/,/^END RESULTS$/p' | sed '1d;$d' |
    base64 -d 2>/dev/null | tar -x -C "$work/results" 2>/dev/null || true

if [ -n "${ALSA_VM_RESULTS:-}" ]; then
    mkdir -p "$ALSA_VM_RESULTS"
    cp -a "$work/results/." "$work/console.txt" "$work"/*.syx "$ALSA_VM_RESULTS/"
fi

bash tests/alsa/check.sh "$work/results" "$work"
