#!/bin/sh
# /init of the test VM: loads the kernel's virtual MIDI driver and its serial
# UART MIDI driver, and runs the program against them the way a user's script
# would. It only gathers what happened (outputs, exit statuses, what arrived
# and when); the host judges. The results go to a folder of the host shared
# over 9p, then the VM powers off, whatever went wrong on the way.

/bin/busybox --install -s /bin
export PATH=/usr/bin:/usr/sbin HOME=/root LD_LIBRARY_PATH=/usr/lib/x86_64-linux-gnu
mount -t proc proc /proc
mount -t sysfs sys /sys
mount -t devtmpfs dev /dev
mount -t tmpfs tmp /tmp
mkdir -p /dev/pts /dev/shm
mount -t devpts devpts /dev/pts
mount -t tmpfs shm /dev/shm

results=/results
data=/data
program=/usr/bin/brevane
mkdir -p "$results"
modprobe virtio_pci && modprobe 9pnet_virtio && modprobe 9p &&
    mount -t 9p -o trans=virtio,version=9p2000.L,msize=524288 results "$results" ||
    echo "guest: the results folder did not mount"

# Milliseconds since boot, from the kernel's own clock.
now_ms() { awk '{ printf "%d\n", $1 * 1000 }' /proc/uptime; }

say() { echo "guest: [$(cut -d' ' -f1 /proc/uptime) s] $*" | tee -a "$results/guest.log"; }

# wait_until SECONDS COMMAND...: polls until COMMAND succeeds; false on time-out.
wait_until() {
    deadline=$(( $(now_ms) + $1 * 1000 ))
    shift
    until "$@"; do
        [ "$(now_ms)" -lt "$deadline" ] || return 1
        usleep 100000
    done
}

# stop PID: asks a helper to end, and waits for it (it has a few seconds).
stop() {
    kill "$1" 2>/dev/null
    wait_until 5 sh -c "! kill -0 $1 2>/dev/null" || kill -9 "$1" 2>/dev/null
    wait "$1" 2>/dev/null
}

finish() {
    dmesg > "$results/dmesg.txt"
    say "done"
    sync
    poweroff -f
}

# output_number LIST_FILE NAME: the number --outputid takes for NAME. The
# kernel pads its port names with blanks, so trailing ones do not count.
output_number() {
    awk -v name="$2" '/^MIDI output devices/ { on = 1; next } /^$/ { on = 0 }
                      on { n = $1; sub(/^[0-9]+ /, ""); sub(/ +$/, ""); if ($0 == name) { print n; exit } }' "$1"
}

say "kernel $(uname -r), $(nproc) CPU"
modprobe snd-virmidi midi_devs=2 || say "modprobe snd-virmidi failed"
wait_until 10 test -c /dev/snd/midiC0D1 -a -c /dev/snd/seq || say "no virmidi devices"
# The MIDI UART: the generic adaptor with one output, on the first serial
# port; snd-seq-midi gives its raw MIDI device a sequencer port.
modprobe snd-serial-u16550 port=0x3f8 irq=4 adaptor=4 outs=1 || say "modprobe snd-serial-u16550 failed"
modprobe snd-seq-midi || say "modprobe snd-seq-midi failed"
wait_until 10 test -c /dev/snd/midiC1D0 || say "no serial MIDI device"
ls -l /dev/snd > "$results/dev-snd.txt" 2>&1

# A display, as --autoupdate still opens the window.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -noreset -nolisten tcp 3> /tmp/display 2> "$results/xvfb.log" &
xvfb=$!
if wait_until 30 test -s /tmp/display; then
    export DISPLAY=":$(cat /tmp/display)"
    sh /usr/share/brevane-test/xvfb-session-atoms.sh 2>> "$results/xvfb.log" || say "atoms script failed"
    say "display $DISPLAY ready"
else
    say "Xvfb did not start"
fi

# Each run of the program has a time limit and is then killed, so that the
# guest always gets to report.

# --- list: the VirMIDI ports, with their numbers.
timeout -s KILL 60 "$program" --list-devices > "$results/list.out" 2> "$results/list.err"
echo $? > "$results/list.status"
say "--list-devices ended with status $(cat "$results/list.status")"
cat "$results/list.out"
aconnect -o > "$results/aconnect.txt" 2>&1
amidi -l > "$results/amidi.txt" 2>&1

# --- upload: an unattended run to VirMIDI 0-1, read back from its raw device.
target=$(output_number "$results/list.out" "VirMIDI 0-1")
if [ -n "$target" ]; then
    midi-timestamps /dev/snd/midiC0D1 "$results/upload-received" 2> "$results/upload-reader.err" &
    reader=$!
    wait_until 10 test -f "$results/upload-received.ready" || say "receiver did not start"
    say "upload to output $target"
    started=$(now_ms)
    timeout -s KILL 180 "$program" --autoupdate --outputid "$target" --file "$data/upload.syx" \
        > "$results/upload.stdout" 2> "$results/upload.stderr"
    echo $? > "$results/upload.status"
    echo $(( $(now_ms) - started )) > "$results/upload.ms"
    say "upload ended with status $(cat "$results/upload.status")"
    usleep 500000   # the last bytes are on their way through the sequencer
    stop "$reader"
else
    say "VirMIDI 0-1 not listed: no upload"
fi

# --- unplug: the destination is a user-space client that goes away mid-upload.
aseqdump > "$results/unplug-aseqdump.txt" 2>&1 &
dump=$!
wait_until 10 sh -c "aconnect -o | grep -q aseqdump" || say "aseqdump did not appear"
timeout -s KILL 60 "$program" --list-devices > "$results/unplug-list.out" 2>&1
target=$(output_number "$results/unplug-list.out" "aseqdump")
if [ -n "$target" ]; then
    say "upload to output $target (aseqdump), ended after its first message"
    started=$(now_ms)
    timeout -s KILL 180 "$program" --autoupdate --outputid "$target" --file "$data/unplug.syx" \
        > "$results/unplug.stdout" 2> "$results/unplug.stderr" &
    run=$!
    # Progress above 0% means at least one message has gone out.
    if wait_until 60 grep -q '^progress: [1-9]' "$results/unplug.stdout"; then
        stop "$dump"
        echo $(( $(now_ms) - started )) > "$results/unplug-killed.ms"
        say "aseqdump ended at $(grep '^progress:' "$results/unplug.stdout" | tail -n 1)"
    else
        say "no progress within 60 s"
        stop "$dump"
    fi
    wait "$run"
    echo $? > "$results/unplug.status"
    say "upload ended with status $(cat "$results/unplug.status")"
else
    say "aseqdump not listed: no unplug run"
    stop "$dump"
fi

# --- uart: the same program to the serial MIDI port; the host notes what
# leaves the UART and when. One run of the built-in image's lengths, one of
# messages far longer.
timeout -s KILL 60 "$program" --list-devices > "$results/uart-list.out" 2>&1
target=$(awk '/^MIDI output devices/ { on = 1; next } /^$/ { on = 0 } on && /Serial MIDI/ { print $1; exit }' "$results/uart-list.out")
if [ -n "$target" ]; then
    for case in uart-image uart-long; do
        say "$case to output $target"
        started=$(now_ms)
        timeout -s KILL 240 "$program" --autoupdate --outputid "$target" --file "$data/$case.syx" \
            > "$results/$case.stdout" 2> "$results/$case.stderr"
        echo $? > "$results/$case.status"
        echo $(( $(now_ms) - started )) > "$results/$case.ms"
        say "$case ended with status $(cat "$results/$case.status") after $(cat "$results/$case.ms") ms"
    done
else
    say "no Serial MIDI output listed: no UART run"
fi

stop "$xvfb"
finish
