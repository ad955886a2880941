#!/usr/bin/env bash
# Judges what the Windows program under Wine did on the guest's snd-virmidi
# (see windows-guest.sh): one PASS or FAIL per case with its reason, the
# measured figures, and a closing count. Exits non-zero when any case failed.
#
# usage: check-windows.sh RESULTS_DIR DATA_DIR
set -uo pipefail
results=$1
data=$2
passed=0
failed=0

verdict() {
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
outputs() { awk '/^MIDI output devices/ { on = 1; next } /^$/ { on = 0 } on { sub(/ +$/, ""); print }' "$results/$1" 2>/dev/null; }

# --- version: the program starts at all.
reasons=()
[ "$(value version.status)" = 0 ] || reasons+=("exit status $(value version.status)")
grep -q '^Brevane ' "$results/version.out" 2>/dev/null || reasons+=("no version line")
echo "--version: $(value version.ms) ms in the guest, exit status $(value version.status); it printed:"
sed 's/^/    /' "$results/version.out" "$results/version.err" 2>/dev/null | head -n 8
verdict "--version runs and exits 0" ${reasons[@]+"${reasons[@]}"}

# --- list: the VirMIDI ports through WinMM, with the Linux build's numbers.
reasons=()
[ "$(value list.status)" = 0 ] || reasons+=("--list-devices exit status $(value list.status)")
for name in "VirMIDI 0-0" "VirMIDI 0-1"; do
    outputs list.out | grep -qE "^[0-9]+ $name\$" || reasons+=("output \"$name\" not listed")
done
if [ "$(outputs list.out | grep VirMIDI)" != "$(outputs linux-list.out | grep VirMIDI)" ]; then
    reasons+=("the VirMIDI ports' numbers differ from the Linux build's")
fi
echo "--list-devices under Wine ($(value list.ms) ms, exit status $(value list.status)):"
sed 's/^/    /' "$results/list.out" "$results/list.err" 2>/dev/null
echo "--list-devices of the Linux build:"
sed 's/^/    /' "$results/linux-list.out" 2>/dev/null
verdict "--list-devices lists VirMIDI 0-0 and 0-1 with the Linux build's numbers and exits 0" ${reasons[@]+"${reasons[@]}"}

# --- upload
reasons=()
[ "$(value upload.status)" = 0 ] || reasons+=("exit status $(value upload.status), expected 0")
grep -qxF "status: Update completed" "$results/upload.out" 2>/dev/null || reasons+=("no \"Update completed\" on stdout")
if ! cmp -s "$data/upload.syx" "$results/upload-received.syx"; then
    reasons+=("bytes at midiC0D1 differ from the file ($(cat "$results/upload-received.syx" 2>/dev/null | wc -c) of $(wc -c < "$data/upload.syx") bytes)")
fi
echo "Auto-update to VirMIDI 0-1 under Wine: $(value upload.ms) ms in the guest, exit status $(value upload.status)"
sed 's/^/    /' "$results/upload.err" 2>/dev/null | head -n 5
verdict "auto-update through WinMM delivers the file byte for byte and exits 0" ${reasons[@]+"${reasons[@]}"}

# --- pacing, at the receiver: a message's first byte, its wire time and 300 ms
# before the next one's first byte.
reasons=()
sent=$(python3 -c 'import sys; print(open(sys.argv[1], "rb").read().count(0xF0))' "$data/upload.syx")
received=$(grep -vc '^#' "$results/upload-received.log" 2>/dev/null)
[ "${received:-0}" -eq "$sent" ] || reasons+=("${received:-0} messages arrived, $sent sent")
echo "Gaps at the receiver (times taken by: $(sed -n 's/^# clock: //p' "$results/upload-received.log" 2>/dev/null)):"
if [ -s "$results/upload-received.log" ]; then
    gaps=$(awk '/^#/ { next } seen { need = 300 + length_ * 0.32; gap = $1 - first
                         printf "    after %4d bytes: %8.1f ms, rest %6.1f ms after its wire time %s\n", length_, gap, gap - length_ * 0.32, (gap >= need ? "ok" : "SHORT by " sprintf("%.1f", need - gap) " ms") }
                { first = $1; length_ = $3; seen = 1 }' "$results/upload-received.log")
    echo "$gaps"
    grep -q SHORT <<< "$gaps" && reasons+=("a rest ended before 300 ms after the wire time")
fi
verdict "the receiver sees at least 300 ms after each message's wire time" ${reasons[@]+"${reasons[@]}"}

# --- unplug. What Wine's WinMM says once the destination has gone is first
# asked with the test's own WinMM program: if Wine tells a sender nothing
# (every send returns MMSYSERR_NOERROR, the port stays listed), no program can
# know, and the updater's report is only checked for what it can know.
probe_sends=$(grep -c '^send ' "$results/probe-unplug.out" 2>/dev/null)
probe_errors=$(awk '/^send / && ($4 != 0 || $6 != 0 || $12 != 0 || $14 != 0) { n++ } END { print n + 0 }' "$results/probe-unplug.out" 2>/dev/null)
probe_counts=$(sed -n 's/^send .* devs \([0-9]*\)$/\1/p' "$results/probe-unplug.out" 2>/dev/null | sort -u | wc -l)
echo "The test's WinMM program to aseqdump, which ended after its third send: ${probe_sends:-0} sends, ${probe_errors:-?} with an error, the number of outputs changed: $([ "${probe_counts:-0}" -gt 1 ] && echo yes || echo no)"
sed 's/^/    /' "$results/probe-unplug.out" 2>/dev/null | tail -n 4
reasons=()
[ "${probe_sends:-0}" -ge 6 ] || reasons+=("the WinMM program sent ${probe_sends:-0} messages; it needs a few after the destination went")
grep -q "System exclusive" "$results/probe-aseqdump.txt" 2>/dev/null || reasons+=("aseqdump received nothing from the WinMM program before it ended")
wine_tells=no
[ "${probe_errors:-0}" -gt 0 ] || [ "${probe_counts:-0}" -gt 1 ] && wine_tells=yes
verdict "Wine's WinMM, asked by the test's own program, reports on a destination that has gone: $wine_tells" \
    ${reasons[@]+"${reasons[@]}"}

reasons=()
grep -q "System exclusive" "$results/unplug-aseqdump.txt" 2>/dev/null || reasons+=("aseqdump received nothing before it ended")
if [ "$wine_tells" = yes ]; then
    [ "$(value unplug.status)" = 1 ] || reasons+=("exit status $(value unplug.status), expected 1")
    grep -q "^status: Upload failed" "$results/unplug.out" 2>/dev/null || reasons+=("no \"Upload failed\" on stdout")
    grep -q "Update completed" "$results/unplug.out" 2>/dev/null && reasons+=("\"Update completed\" after the destination went")
    name="a destination that goes mid-upload ends the run with exit 1 and \"Upload failed\""
else
    # Nothing tells: the run goes on to its end as it would to an Arvella that is off.
    [ "$(value unplug.status)" = 0 ] || reasons+=("exit status $(value unplug.status), expected 0 as WinMM reported every send taken")
    name="a destination that goes mid-upload, which Wine does not report, ends as WinMM said: every send taken"
fi
echo "Destination ended mid-upload after $(value unplug-killed.ms) ms; the program printed (exit status $(value unplug.status)):"
grep -v '^progress' "$results/unplug.out" 2>/dev/null | sed 's/^/    /'
verdict "$name" ${reasons[@]+"${reasons[@]}"}

# --- no crash: the exit codes Windows gives a parent, and Wine's own reports
# of a fault in the program. A Wine process that used WinMM on ALSA dies by
# SIGSEGV after it has exited, whatever it ran: the test's own WinMM program,
# which only lists the outputs, dies the same way. That crash is Wine's; it
# is shown, not counted against the program.
reasons=()
for run in version list upload unplug-list unplug; do
    code=$(sed -n 's/^exit code: //p' "$results/$run.err" 2>/dev/null)
    case $code in
        0x0000000[0-3]) ;;
        "") reasons+=("$run: no exit code from Windows") ;;
        *) reasons+=("$run: exit code $code") ;;
    esac
    grep -iE "unhandled|page fault|stack overflow" "$results/$run.err" 2>/dev/null | head -n 1 | sed "s/^/$run: /" > "$results/fault.txt"
    [ -s "$results/fault.txt" ] && reasons+=("$(cat "$results/fault.txt")")
done
echo "Exit codes Windows gave: $(for run in version list upload unplug-list unplug; do printf '%s %s; ' "$run" "$(sed -n 's/^exit code: //p' "$results/$run.err" 2>/dev/null)"; done)"
echo "As a Unix parent sees them, --list-devices of the program: $(value list-unix.status); of the test's WinMM program: $(value probe-list.status)"
verdict "no crash at any exit of the program" ${reasons[@]+"${reasons[@]}"}

reasons=()
if [ "$(value list-unix.status)" -ge 128 ] 2>/dev/null && [ "$(value probe-list.status)" != "$(value list-unix.status)" ]; then
    reasons+=("the program's Wine process ended with $(value list-unix.status), the WinMM program's with $(value probe-list.status): not Wine's alone")
fi
verdict "any signal at the end of a Wine process is Wine's: the test's own WinMM program ends the same way" \
    ${reasons[@]+"${reasons[@]}"}

[ -f "$results/guest.log" ] || echo "The VM brought back no results."
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
