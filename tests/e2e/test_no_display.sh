# Without a display: an auto-update runs the same upload without a window and
# sends nothing it was not asked to; an interactive start says why it cannot
# open and how to go on, at once. One row of the exit-status table per case.
source "$(dirname "$0")/lib.sh"

simulated_outputs "Sim Out"
write_sysex "$work/good.syx" 3 24
write_sysex "$work/bad.syx" 2 24
printf '\x12\x34' >> "$work/bad.syx"
: > "$work/empty.syx"
mkdir "$work/folder.syx"
sent="$BREVANE_MIDI_SIM/output-1.syx"

# run_headless NAME EXPECTED_STATUS ARGS...: runs to the end without DISPLAY.
run_headless() {
    local name=$1 expected=$2
    shift 2
    rm -f "$sent" "$BREVANE_MIDI_SIM/output-1.log"
    set +e
    timeout 60 env -u DISPLAY "$program" "$@" > "$work/stdout" 2> "$work/stderr"
    exit_status=$?
    set -e
    [ "$exit_status" -eq "$expected" ] || fail "$name: exit status $exit_status, expected $expected"
}

# The whole file goes out at the program's pace, the script sees each step.
run_headless "complete" 0 --autoupdate --outputid 1 --file "$work/good.syx"
cmp "$work/good.syx" "$sent" || fail "complete: sent bytes differ from the file"
awk 'NR == 1 && $1 < 2000 { bad = 1 } NR > 1 && $1 - last < 300 { bad = 1 } { last = $1 } END { exit bad }' \
    "$BREVANE_MIDI_SIM/output-1.log" || fail "complete: pacing broken"
[ "$(head -n 1 "$work/stdout")" = "image: good version 0.0, 72 bytes, 3 messages, sha256 $(sha256_of "$work/good.syx")" ] || fail "complete: no image line"
for line in "status: Uploading firmware" "progress: 100%, 0 min 00 s left" "status: Update completed" \
            "status: Please turn power off and on again"; do
    grep -qxF "$line" "$work/stdout" || fail "complete: missing line: $line"
done

# Bad data anywhere: nothing goes out, the run says why and ends with 2.
run_headless "bad data" 2 --autoupdate --outputid 1 --file "$work/bad.syx"
[ ! -s "$sent" ] || fail "bad data: something was sent"
grep -qF "cannot be sent: invalid SysEx data at byte 48" "$work/stderr" || fail "bad data: no reason"
grep -qF "nothing was sent" "$work/stderr" || fail "bad data: does not say nothing was sent"
grep -q "status: Update completed" "$work/stdout" && fail "bad data: reported as completed"

# Nothing can start: the reason on standard error, exit 2, not one byte sent.
while IFS='|' read -r name args reason; do
    # shellcheck disable=SC2086
    run_headless "$name" 2 --autoupdate $args
    [ ! -s "$sent" ] || fail "$name: something was sent"
    grep -qF "$reason" "$work/stderr" || fail "$name: stderr does not say \"$reason\""
    grep -qF "nothing was sent" "$work/stderr" || fail "$name: stderr does not say nothing was sent"
done <<ROWS
missing file|--outputid 1 --file $work/none.syx|not found
folder|--outputid 1 --file $work/folder.syx|Is a directory
empty file|--outputid 1 --file $work/empty.syx|is empty
no --file path|--outputid 1 --file|not found
no device|--outputid 5 --file $work/good.syx|output device 5 did not open
ROWS

if [ "$(id -u)" -ne 0 ]; then
    cp "$work/good.syx" "$work/locked.syx"
    chmod 000 "$work/locked.syx"
    run_headless "unreadable" 2 --autoupdate --outputid 1 --file "$work/locked.syx"
    grep -qF "Permission denied" "$work/stderr" || fail "unreadable: no reason"
fi

# Interactive: one line naming the problem and both ways out, exit 2, at once.
start_silent_display
for display in unset "$silent_display"; do
    started=$(date +%s%N)
    set +e
    if [ "$display" = unset ]; then
        timeout 20 env -u DISPLAY "$program" > "$work/stdout" 2> "$work/stderr"
    else
        DISPLAY=$display timeout 20 "$program" > "$work/stdout" 2> "$work/stderr"
    fi
    exit_status=$?
    set -e
    took=$(( ($(date +%s%N) - started) / 1000000 ))
    [ "$exit_status" -eq 2 ] || fail "interactive, display $display: exit status $exit_status"
    [ "$took" -lt 3000 ] || fail "interactive, display $display: took $took ms"
    # A debug build of JUCE names its version first.
    [ "$(grep -vc "^JUCE v" "$work/stderr")" -eq 1 ] || fail "interactive, display $display: not one line on stderr"
    grep -qF "xvfb-run -a brevane" "$work/stderr" || fail "interactive: no xvfb-run hint"
    grep -qF -- "--autoupdate" "$work/stderr" || fail "interactive: no --autoupdate hint"
    [ ! -s "$work/stdout" ] || fail "interactive: wrote to stdout"
done

# A display that never answers counts as none: the auto-update runs without it.
rm -f "$sent"
set +e
DISPLAY=$silent_display timeout 60 "$program" --autoupdate --outputid 1 --file "$work/good.syx" \
    > "$work/stdout" 2> "$work/stderr"
exit_status=$?
set -e
[ "$exit_status" -eq 0 ] || fail "silent display: auto-update ended with $exit_status"
cmp "$work/good.syx" "$sent" || fail "silent display: sent bytes differ from the file"

# 1 again: the device goes half way through; nothing more is sent.
write_sysex "$work/long.syx" 40 32
rm -f "$BREVANE_MIDI_SIM"/output-1.*
start_program_without_display --autoupdate --outputid 1 --file "$work/long.syx"
deadline=$(( $(date +%s) + 20 ))
until [ -s "$BREVANE_MIDI_SIM/output-1.log" ] && [ "$(wc -l < "$BREVANE_MIDI_SIM/output-1.log")" -ge 2 ]; do
    [ "$(date +%s)" -lt "$deadline" ] || fail "lost device: upload never started"
    sleep 0.05
done
simulated_outputs "Other Port"
wait_for_exit 15
[ "$exit_status" -eq 1 ] || fail "lost device: exit status $exit_status"
grep -qxF "status: Upload failed: the MIDI output device is no longer connected" "$work/stdout" \
    || fail "lost device: no failure line"
[ "$(stat -c %s "$sent")" -lt $(( 40 * 32 )) ] || fail "lost device: the whole file went out"
