# An auto-update sends only the image the line names, to the device it names:
# a file that cannot be sent whole, or a device number that names no device,
# ends the run with 2 before one byte goes out, with a display (a box says
# why first) and without one (standard error says it). An information option
# anywhere on the line answers and flashes nothing.
source "$(dirname "$0")/lib.sh"

simulated_outputs "Sim Out" "Second Out"
write_sysex "$work/good.syx" 2 24
write_sysex "$work/damaged.syx" 2 24
printf '\x12\x34' >> "$work/damaged.syx"
: > "$work/empty.syx"
mkdir "$work/folder.syx"

nothing_sent() {
    local k
    for k in 1 2; do
        [ ! -s "$BREVANE_MIDI_SIM/output-$k.syx" ] || fail "$1: something was sent to device $k"
    done
}

# refused NAME TITLE ARGS...: exit 2 and nothing sent, both ways; with a
# display the box titled TITLE comes first, and no main window after it.
refused() {
    local name=$1 title=$2
    shift 2
    rm -f "$BREVANE_MIDI_SIM"/output-*

    set +e
    timeout 30 env -u DISPLAY "$program" "$@" > "$work/stdout" 2> "$work/stderr"
    exit_status=$?
    set -e
    [ "$exit_status" -eq 2 ] || fail "$name, no display: exit status $exit_status"
    grep -qF -- "$title" "$work/stderr" || fail "$name, no display: stderr does not say \"$title\""
    grep -qF "nothing was sent" "$work/stderr" || fail "$name, no display: stderr does not say nothing was sent"
    [ ! -s "$work/stdout" ] || fail "$name, no display: wrote to stdout"
    nothing_sent "$name, no display"

    start_program "$@"
    box=$(wait_for_window "$title" 20) || fail "$name, display: no box titled \"$title\""
    dismiss_box "$box"
    wait_for_exit 15
    [ "$exit_status" -eq 2 ] || fail "$name, display: exit status $exit_status"
    [ ! -s "$work/stdout" ] || fail "$name, display: wrote to stdout"
    nothing_sent "$name, display"
}

while IFS='|' read -r name title args; do
    # shellcheck disable=SC2086
    refused "$name" "$title" $args
done <<ROWS
missing file|File $work/none.syx not found|--autoupdate --outputid 1 --file $work/none.syx
empty file|File $work/empty.syx is empty|--autoupdate --outputid 1 --file $work/empty.syx
folder|File $work/folder.syx cannot be read: Is a directory|--autoupdate --outputid 1 --file $work/folder.syx
damaged file|File $work/damaged.syx cannot be sent: invalid SysEx data at byte 48|--autoupdate --outputid 1 --file $work/damaged.syx
no path|File  not found|--autoupdate --outputid 1 --file
option after the path|File $work/good.syx --autoupdate not found|--outputid 1 --file $work/good.syx --autoupdate
=2|--outputid needs a device number from 1 up, not "=2"|--autoupdate --outputid=2 --file $work/good.syx
0|--outputid needs a device number from 1 up, not "0"|--autoupdate --outputid 0 --file $work/good.syx
-1|--outputid needs a device number from 1 up, not "-1"|--autoupdate --outputid -1 --file $work/good.syx
abc|--outputid needs a device number from 1 up, not "abc"|--autoupdate --outputid abc --file $work/good.syx
2x|--outputid needs a device number from 1 up, not "2x"|--autoupdate --outputid 2x --file $work/good.syx
input 0|--inputid needs a device number from 1 up, not "0"|--autoupdate --inputid 0 --outputid 1 --file $work/good.syx
ROWS

# A device problem comes with the list of devices there are.
set +e
env -u DISPLAY "$program" --autoupdate --outputid=2 > "$work/stdout" 2> "$work/stderr"
set -e
grep -qF "1 Sim Out 2 Second Out 3 (Disconnected)" "$work/stderr" || fail "the refusal does not list the devices"

# The same numbers, well formed, reach the device they name.
rm -f "$BREVANE_MIDI_SIM"/output-*
set +e
timeout 30 env -u DISPLAY "$program" --autoupdate --outputid 2 --file "$work/good.syx" > "$work/stdout" 2> "$work/stderr"
exit_status=$?
set -e
[ "$exit_status" -eq 0 ] || fail "device 2: exit status $exit_status"
cmp "$work/good.syx" "$BREVANE_MIDI_SIM/output-2.syx" || fail "device 2: sent bytes differ"
[ ! -s "$BREVANE_MIDI_SIM/output-1.syx" ] || fail "device 2: something went to device 1"

# Information options anywhere: the answer, exit 0, and the device untouched.
rm -f "$BREVANE_MIDI_SIM"/output-*
for display in without with; do
    while IFS='|' read -r answer args; do
        set +e
        # shellcheck disable=SC2086
        if [ "$display" = without ]; then
            timeout 20 env -u DISPLAY "$program" $args > "$work/stdout" 2> "$work/stderr"
        else
            timeout 20 "$program" $args > "$work/stdout" 2> "$work/stderr"
        fi
        exit_status=$?
        set -e
        [ "$exit_status" -eq 0 ] || fail "$args ($display display): exit status $exit_status"
        head -n 1 "$work/stdout" | grep -qF "$answer" || fail "$args ($display display): no \"$answer\""
    done <<ROWS
Usage: brevane|--autoupdate --outputid 1 --help
Brevane |--autoupdate --outputid 1 --version
MIDI output devices|--autoupdate --outputid 1 --list-devices
Built-in firmware: Arvella|--autoupdate --outputid 1 --check
File: $work/good.syx|--AUTOUPDATE --outputid 1 --CHECK --file $work/good.syx
ROWS
done
sleep 2.5   # past the unattended start's wait: a flash would have begun by now
nothing_sent "information options"

# Names stay inside their line: a file named to look like a script's line
# cannot make a failed or refused run read as completed.
trick="$work/$(printf 'x\nstatus: Update completed')"
write_sysex "$trick.syx" 1 24
printf '\x12\x34' >> "$trick.syx"
set +e
env -u DISPLAY "$program" --autoupdate --outputid 1 --file "$trick.syx" > "$work/stdout" 2> "$work/stderr"
exit_status=$?
set -e
[ "$exit_status" -eq 2 ] || fail "trick name, damaged: exit status $exit_status"
grep -q "^status:" "$work/stderr" "$work/stdout" && fail "trick name, damaged: a line of its own"
grep -qF 'x\nstatus: Update completed.syx cannot be sent' "$work/stderr" || fail "trick name, damaged: not escaped"

write_sysex "$trick.syx" 1 24
rm -f "$BREVANE_MIDI_SIM"/output-*
for display in without with; do
    set +e
    if [ "$display" = without ]; then
        timeout 30 env -u DISPLAY "$program" --autoupdate --outputid 1 --file "$trick.syx" > "$work/stdout" 2> "$work/stderr"
    else
        timeout 30 "$program" --autoupdate --outputid 1 --file "$trick.syx" > "$work/stdout" 2> "$work/stderr"
    fi
    exit_status=$?
    set -e
    [ "$exit_status" -eq 0 ] || fail "trick name ($display display): exit status $exit_status"
    [ "$(grep -c '^image: ' "$work/stdout")" -eq 1 ] || fail "trick name ($display display): not one image line"
    grep -qF 'image: x\nstatus: Update completed version 0.0, 24 bytes, 1 messages' "$work/stdout" \
        || fail "trick name ($display display): the image line is not escaped"
    [ "$(grep -cxF 'status: Update completed' "$work/stdout")" -eq 1 ] \
        || fail "trick name ($display display): more than the one real completion"
    if grep -vqE '^(image|status|progress): ' "$work/stdout"; then
        fail "trick name ($display display): a line that is not the program's"
    fi
done
