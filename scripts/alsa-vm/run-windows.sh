#!/usr/bin/env bash
# `make test-alsa-windows`: the Windows program under Wine against the Linux
# kernel's own MIDI stack (snd-virmidi, through Wine's WinMM driver), in the
# same kind of VM as `make test-alsa`. The guest runs the host's own root file
# system, shared read-only over 9p, so Wine, Xvfb and their libraries are the
# installed ones; a writable share carries a Wine prefix made on the host and
# the results. The guest runs tests/alsa/windows-guest.sh, the host judges
# (tests/alsa/check-windows.sh).
#
# usage: run-windows.sh EXE LINUX_BUILD_DIR
# ALSA_VM_CPU picks qemu's CPU model (default: qemu64, the plainest
# x86-64); ALSA_VM_RESULTS=DIR keeps what the guest wrote there.
set -euo pipefail
cd "$(dirname "$0")/../.."
repo=$(pwd)

exe=$(realpath "$1")
build=$(realpath "$2")
linux_program=$build/bin/brevane
cache=$build/alsa-vm
vm_timeout=${ALSA_VM_TIMEOUT:-900}
[ -f "$exe" ] || { echo "no program at $exe: make windows first" >&2; exit 1; }
[ -x "$linux_program" ] || { echo "no program at $linux_program: make build first" >&2; exit 1; }

kernel=$(bash scripts/alsa-vm/deps.sh "$cache")
key=$( { cat scripts/alsa-vm/initramfs.sh "$kernel/ready"; echo "$kernel"; } | sha256sum | cut -c1-16)
base=$cache/base-$key.cpio
if [ ! -f "$base" ]; then
    echo "Making the guest's base archive" >&2
    rm -f "$cache"/base-*.cpio
    bash scripts/alsa-vm/initramfs.sh base "$kernel" "$base.part"
    mv "$base.part" "$base"
fi

# Under the build folder, not /tmp: the guest mounts a /tmp of its own over
# the host's, and must see these files.
work=$(mktemp -d "$cache/windows-XXXXXX")
cleanup() {
    timeout 20 env WINEPREFIX="$work/rw/prefix" wineserver -k 2> /dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$work/rw/data"

cc -static -O2 -Wall -Wextra -o "$work/midi-timestamps" tests/alsa/midi-timestamps.c
x86_64-w64-mingw32-gcc-posix -O2 -Wall -static -o "$work/winmm-probe.exe" tests/alsa/winmm-probe.c -lwinmm
x86_64-w64-mingw32-gcc-posix -municode -O2 -Wall -static -o "$work/exit-status.exe" tests/alsa/exit-status.c
python3 tests/alsa/make-sysex.py "$work/rw/data/upload.syx" 12 537 40 1500 6 480 300 96
python3 tests/alsa/make-sysex.py "$work/rw/data/unplug.syx" $(printf '64 %.0s' $(seq 30))

# A prefix is made once on the host (seconds) rather than in the slow guest.
echo "Making a Wine prefix" >&2
prefix_started=$(date +%s)
WINEPREFIX=$work/rw/prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml=" \
    timeout -k 5 180 xvfb-run -a wine wineboot --init > "$work/wineboot.log" 2>&1 || { cat "$work/wineboot.log"; exit 1; }
WINEPREFIX=$work/rw/prefix timeout 20 wineserver -w || true
echo "Wine prefix made in $(( $(date +%s) - prefix_started )) s" >&2

cat > "$work/rw/settings.sh" <<SETTINGS
EXE='$exe'
LINUX_PROGRAM='$linux_program'
TIMESTAMPS='$work/midi-timestamps'
PROBE='$work/winmm-probe.exe'
RUNNER='$work/exit-status.exe'
DATA='$work/rw/data'
SETTINGS

bash scripts/alsa-vm/initramfs.sh run "$work/run.cpio" tests/alsa/host-root-init.sh
cat "$base" "$work/run.cpio" > "$work/initrd"

cpu=${ALSA_VM_CPU:-qemu64}
echo "Booting $(basename "$kernel") under qemu (TCG, CPU $cpu), at most $vm_timeout s" >&2
started=$(date +%s%N)
set +e
timeout -k 10 "$vm_timeout" qemu-system-x86_64 \
    -nodefaults -no-user-config -accel tcg -cpu "$cpu" -m 3072 -smp 2 \
    -display none -no-reboot \
    -kernel "$kernel/vmlinuz" -initrd "$work/initrd" \
    -append "console=ttyS0 panic=-1 quiet no_timer_check brevane.script=$repo/tests/alsa/windows-guest.sh brevane.rw=$work/rw" \
    -virtfs local,path=/,mount_tag=host,security_model=none,readonly=on,multidevs=remap \
    -virtfs local,path="$work/rw",mount_tag=rw,security_model=none,multidevs=remap \
    -serial "file:$work/console.txt" \
    < /dev/null
qemu_status=$?
set -e
wall_ms=$(( ($(date +%s%N) - started) / 1000000 ))

echo "--- guest console"
tr -d '\r' < "$work/console.txt"
echo "---"
echo "VM wall time: $(( wall_ms / 1000 )).$(printf '%03d' $(( wall_ms % 1000 ))) s (qemu exit status $qemu_status)"
[ "$qemu_status" -ne 124 ] && [ "$qemu_status" -ne 137 ] || echo "The VM had not powered off after $vm_timeout s and was ended."

if [ -n "${ALSA_VM_RESULTS:-}" ]; then
    mkdir -p "$ALSA_VM_RESULTS"
    cp -a "$work/rw/results/." "$work/console.txt" "$work/rw/data"/*.syx "$ALSA_VM_RESULTS/"
fi

bash tests/alsa/check-windows.sh "$work/rw/results" "$work/rw/data"
