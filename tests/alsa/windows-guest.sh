#!/bin/bash
# The Windows program under Wine on the guest's snd-virmidi, run in the
# host's own root file system (see host-root-init.sh), the way a script on
# Windows would: the device list, an upload read back from the raw device
# with the kernel's arrival times, and a destination that goes mid-upload.
# It only gathers what happened; the host judges (check-windows.sh).
#
# usage: windows-guest.sh RW
# RW holds settings.sh (EXE, LINUX_PROGRAM, TIMESTAMPS, PROBE, RUNNER, DATA),
# the Wine prefix made on the host, and gets results/. The program runs under
# exit-status.exe, which reports its exit code as Windows gives it.
rw=$1
# shellcheck source=/dev/null
. "$rw/settings.sh"
results=$rw/results
mkdir -p "$results" "$rw/home"
export HOME=$rw/home WINEPREFIX=$rw/prefix WINEARCH=win64 WINEDEBUG=-all LC_ALL=C.UTF-8
export WINEDLLOVERRIDES="mscoree=;mshtml="

now_ms() { awk '{ printf "%d\n", $1 * 1000 }' /proc/uptime; }
say() { echo "guest: [$(cut -d' ' -f1 /proc/uptime) s] $*" | tee -a "$results/guest.log"; }

wait_until() {
    local deadline=$(( $(now_ms) + $1 * 1000 ))
    shift
    until "$@"; do
        [ "$(now_ms)" -lt "$deadline" ] || return 1
        sleep 0.1
    done
}

stop() {
    kill "$1" 2> /dev/null
    wait_until 5 sh -c "! kill -0 $1 2>/dev/null" || kill -9 "$1" 2> /dev/null
    wait "$1" 2> /dev/null
}

windows_path() { printf 'Z:%s' "${1//\//\\}"; }
exe=$(windows_path "$EXE")

# output_number LIST_FILE NAME: the number --outputid takes for the first
# output whose name begins with NAME (Wine names a client's port "client - port").
output_number() {
    awk -v name="$2" '/^MIDI output devices/ { on = 1; next } /^$/ { on = 0 }
                      on { n = $1; sub(/^[0-9]+ /, ""); if (index($0, name) == 1) { print n; exit } }' "$1"
}

# run NAME SECONDS PROGRAM ARGS...: one run, its output in NAME.out (CR LF
# made LF), NAME.err, its exit status in NAME.status and its time in NAME.ms.
run() {
    local name=$1 seconds=$2 started
    shift 2
    started=$(now_ms)
    timeout -s KILL "$seconds" "$@" > "$results/$name.raw" 2> "$results/$name.err"
    echo $? > "$results/$name.status"
    echo $(( $(now_ms) - started )) > "$results/$name.ms"
    tr -d '\r' < "$results/$name.raw" > "$results/$name.out"
    rm -f "$results/$name.raw"
    say "$name ended with status $(cat "$results/$name.status") after $(cat "$results/$name.ms") ms"
}

say "kernel $(uname -r), $(nproc) CPU, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2)"
wait_until 10 test -c /dev/snd/midiC0D1 -a -c /dev/snd/seq || say "no virmidi devices"

Xvfb -displayfd 3 -screen 0 1024x768x24 -noreset -nolisten tcp 3> /tmp/display 2> "$results/xvfb.log" &
xvfb=$!
wait_until 30 test -s /tmp/display && export DISPLAY=":$(cat /tmp/display)" || say "Xvfb did not start"

# One server for every run, so each start does not pay for its own.
wineserver -p 2> /dev/null
run version 300 wine "$RUNNER" "$exe" --version
run list 180 wine "$RUNNER" "$exe" --list-devices
# The same, as a Unix parent sees it, and the test's own WinMM program.
run list-unix 180 wine "$EXE" --list-devices
run probe-list 180 wine "$PROBE"
run linux-list 60 "$LINUX_PROGRAM" --list-devices

target=$(output_number "$results/list.out" "VirMIDI 0-1")
[ "$target" = "$(output_number "$results/list.out" "VirMIDI 0-0")" ] && target=""
if [ -n "$target" ]; then
    "$TIMESTAMPS" /dev/snd/midiC0D1 "$results/upload-received" 2> "$results/upload-reader.err" &
    reader=$!
    wait_until 10 test -f "$results/upload-received.ready" || say "receiver did not start"
    run upload 300 wine "$RUNNER" "$exe" --autoupdate --outputid "$target" --file "$(windows_path "$DATA/upload.syx")"
    sleep 0.5
    stop "$reader"
else
    say "VirMIDI 0-1 not listed: no upload"
fi

aseqdump > "$results/unplug-aseqdump.txt" 2>&1 &
dump=$!
wait_until 10 sh -c "aconnect -o | grep -q aseqdump" || say "aseqdump did not appear"
run unplug-list 180 wine "$RUNNER" "$exe" --list-devices
target=$(output_number "$results/unplug-list.out" "aseqdump")
if [ -n "$target" ]; then
    started=$(now_ms)
    timeout -s KILL 300 wine "$RUNNER" "$exe" --autoupdate --outputid "$target" --file "$(windows_path "$DATA/unplug.syx")" \
        > "$results/unplug.raw" 2> "$results/unplug.err" &
    upload=$!
    if wait_until 180 grep -q '^progress: [1-9]' "$results/unplug.raw"; then
        stop "$dump"
        echo $(( $(now_ms) - started )) > "$results/unplug-killed.ms"
        say "aseqdump ended at $(grep '^progress:' "$results/unplug.raw" | tail -n 1 | tr -d '\r')"
    else
        say "no progress within 180 s"
        stop "$dump"
    fi
    wait "$upload"
    echo $? > "$results/unplug.status"
    tr -d '\r' < "$results/unplug.raw" > "$results/unplug.out"
    say "unplug ended with status $(cat "$results/unplug.status")"
else
    say "aseqdump not listed: no unplug run"
    stop "$dump"
fi

# The same vanishing destination under the test's own WinMM program.
aseqdump > "$results/probe-aseqdump.txt" 2>&1 &
dump=$!
wait_until 10 sh -c "aconnect -o | grep -q aseqdump" || say "aseqdump did not appear"
run probe-unplug-list 180 wine "$PROBE"
index=$(sed -n 's/^  \([0-9]*\): r=0 aseqdump.*/\1/p' "$results/probe-unplug-list.out" | head -n 1)
if [ -n "$index" ]; then
    timeout -s KILL 300 wine "$PROBE" "$index" 12 > "$results/probe-unplug.raw" 2> "$results/probe-unplug.err" &
    probe=$!
    wait_until 180 grep -q '^send 2' "$results/probe-unplug.raw" || say "the probe sent nothing within 180 s"
    stop "$dump"
    say "aseqdump ended under the probe"
    wait "$probe"
    echo $? > "$results/probe-unplug.status"
    tr -d '\r' < "$results/probe-unplug.raw" > "$results/probe-unplug.out"
else
    say "aseqdump not listed by the probe"
    stop "$dump"
fi

wineserver -k 2> /dev/null
stop "$xvfb"
dmesg > "$results/dmesg.txt"
sync
