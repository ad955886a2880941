#!/usr/bin/env bash
# Judges what the test VM brought back (see guest-init.sh): one PASS or FAIL
# per case with its reason, the measured figures, and a closing count. Exits
# non-zero when any case failed, or when the VM brought nothing back.
#
# usage: check.sh RESULTS_DIR DATA_DIR
set -uo pipefail
results=$1
data=$2
passed=0
failed=0

verdict() {   # verdict NAME REASON...: PASS when no reason was given
    local name=$1
    shift
    if [ $# -eq 0 ]; then
        echo "PASS: $name"
        passed=$(( passed + 1 ))
    else
        echo "FAIL: $name"
        printf '      %s\n' "$@"
        failed=$(( failed + 1 ))
    fi
}

value() { cat "$results/$1" 2>/dev/null || echo "missing"; }

# --- list
reasons=()
[ "$(value list.status)" = 0 ] || reasons+=("--list-devices exit status $(value list.status)")
outputs=$(awk '/^MIDI output devices/ { on = 1; next } /^$/ { on = 0 } on' "$results/list.out" 2>/dev/null)
for name in "VirMIDI 0-0" "VirMIDI 0-1"; do
    grep -qE "^[0-9]+ $name *\$" <<< "$outputs" || reasons+=("output \"$name\" not listed")
done
# The numbers are the selector's ids: 1..n in order, then n + 1 "(Disconnected)".
awk '$1 != NR { bad = 1 } END { exit bad || NR == 0 }' <<< "$outputs" || reasons+=("outputs not numbered 1, 2, ...")
tail -n 1 <<< "$outputs" | grep -qE '^[0-9]+ \(Disconnected\)$' || reasons+=("no closing (Disconnected) entry")
echo "--list-devices printed:"
sed 's/^/    /' "$results/list.out" 2>/dev/null
verdict "--list-devices lists VirMIDI 0-0 and 0-1 with the numbers --outputid takes" ${reasons[@]+"${reasons[@]}"}

# --- upload
reasons=()
[ "$(value upload.status)" = 0 ] || reasons+=("exit status $(value upload.status), expected 0")
grep -qxF "status: Update completed" "$results/upload.stdout" 2>/dev/null || reasons+=("no \"Update completed\" on stdout")
if ! cmp -s "$data/upload.syx" "$results/upload-received.syx"; then
    reasons+=("bytes at midiC0D1 differ from the file ($(cat "$results/upload-received.syx" 2>/dev/null | wc -c) of $(wc -c < "$data/upload.syx") bytes)")
fi
echo "Auto-update to VirMIDI 0-1: $(value upload.ms) ms in the guest, exit status $(value upload.status)"
verdict "auto-update delivers the file byte for byte to VirMIDI 0-1" ${reasons[@]+"${reasons[@]}"}

# --- pacing: from the first byte of one message to the first byte of the next,
# at least 300 ms plus the earlier message's time on a MIDI 1.0 cable.
reasons=()
sent=$(python3 -c 'import sys; print(open(sys.argv[1], "rb").read().count(0xF0))' "$data/upload.syx")
received=$(grep -vc '^#' "$results/upload-received.log" 2>/dev/null)
[ "${received:-0}" -eq "$sent" ] || reasons+=("${received:-0} messages arrived, $sent sent")
grep -q unterminated "$results/upload-received.log" 2>/dev/null && reasons+=("a message arrived cut short")
echo "Gaps at the receiver (first byte to first byte; times taken by: $(sed -n 's/^# clock: //p' "$results/upload-received.log" 2>/dev/null)):"
if [ -s "$results/upload-received.log" ]; then
    gaps=$(awk '/^#/ { next } seen { need = 300 + length_ * 0.32; gap = $1 - first
                         printf "    after %4d bytes: %8.1f ms, at least %6.1f ms %s\n", length_, gap, need, (gap >= need ? "ok" : "SHORT by " sprintf("%.1f", need - gap) " ms") }
                { first = $1; length_ = $3; seen = 1 }' "$results/upload-received.log")
    echo "$gaps"
    grep -q SHORT <<< "$gaps" && reasons+=("a pause ended before 300 ms plus transfer time")
fi
verdict "pause between messages is at least 300 ms plus transfer time" ${reasons[@]+"${reasons[@]}"}

# --- unplug
reasons=()
[ "$(value unplug.status)" = 1 ] || reasons+=("exit status $(value unplug.status), expected 1")
grep -qxF "status: Upload failed: the MIDI output device is no longer connected" "$results/unplug.stdout" 2>/dev/null ||
    reasons+=("no \"Upload failed: the MIDI output device is no longer connected\" on stdout")
grep -q "Update completed" "$results/unplug.stdout" 2>/dev/null && reasons+=("\"Update completed\" after the destination went")
grep -q "System exclusive" "$results/unplug-aseqdump.txt" 2>/dev/null || reasons+=("aseqdump received nothing before it ended")
echo "Destination ended mid-upload after $(value unplug-killed.ms) ms; the program printed (exit status $(value unplug.status)):"
sed 's/^/    /' "$results/unplug.stdout" 2>/dev/null
verdict "a destination that goes mid-upload ends the run with exit 1 and \"Upload failed\"" ${reasons[@]+"${reasons[@]}"}

# --- uart: the serial MIDI driver, judged on what left the UART.
echo "Serial MIDI port:"
sed 's/^/    /' "$results/uart-list.out" 2>/dev/null
for case in uart-image uart-long; do
    reasons=()
    [ "$(value $case.status)" = 0 ] || reasons+=("exit status $(value $case.status), expected 0")
    grep -qxF "status: Update completed" "$results/$case.stdout" 2>/dev/null || reasons+=("no \"Update completed\" on stdout")
    lengths=$(python3 -c 'import sys; d = open(sys.argv[1], "rb").read(); print(", ".join(str(n) for n in [len(m) + 1 for m in d.split(b"\xf7")[:-1]]))' "$data/$case.syx")
    echo "$case ($lengths bytes): $(value $case.ms) ms in the guest, exit status $(value $case.status)"
    verdict "$case: the upload over the serial MIDI driver completes" ${reasons[@]+"${reasons[@]}"}
done
reasons=()
if [ -f "$results/wire.bin" ]; then
    python3 "$(dirname "$0")/check-wire.py" "$results/wire" "$data/uart-image.syx" "$data/uart-long.syx" > "$results/wire-check.txt"
    wire_status=$?
    cat "$results/wire-check.txt"
    [ "$wire_status" -eq 0 ] || reasons+=("$(sed -n 's/^PROBLEM: //p' "$results/wire-check.txt")")
else
    reasons+=("nothing was drained from the UART")
fi
grep -i "overrun" "$results/dmesg.txt" 2>/dev/null | sed 's/^/kernel: /' | grep . && reasons+=("the kernel reported an overrun")
verdict "every message crosses the UART whole, byte for byte, and the wire rests at least 300 ms after each" \
    ${reasons[@]+"${reasons[@]}"}

if [ ! -f "$results/guest.log" ]; then
    echo "The VM brought back no results."
fi
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
