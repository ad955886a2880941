# The exit statuses of an auto-update with a window, row by row.
source "$(dirname "$0")/lib.sh"

simulated_outputs "Sim Out"

# 1: the device goes while the upload runs; the run ends by itself and says so.
write_sysex "$work/long.syx" 40 24
start_program --autoupdate --outputid 1 --file "$work/long.syx"
deadline=$(( $(date +%s) + 20 ))
until [ -s "$BREVANE_MIDI_SIM/output-1.log" ]; do
    [ "$(date +%s)" -lt "$deadline" ] || fail "lost device: upload never started"
    sleep 0.05
done
simulated_outputs "Other Port"
wait_for_exit 30
[ "$exit_status" -eq 1 ] || fail "lost device: exit status $exit_status"
grep -qxF "status: Upload failed: the MIDI output device is no longer connected" "$work/stdout" \
    || fail "lost device: no failure line"
simulated_outputs "Sim Out"

# 0: every message went out; closing during the final pause does not undo that.
write_sysex "$work/one.syx" 1 24
rm -f "$BREVANE_MIDI_SIM"/output-1.*
start_program --autoupdate --outputid 1 --file "$work/one.syx"
id=$(wait_for_window "one version 0.0") || fail "no window"
deadline=$(( $(date +%s) + 20 ))
until grep -qxF "status: Update completed" "$work/stdout"; do
    [ "$(date +%s)" -lt "$deadline" ] || fail "never completed"
    sleep 0.05
done
request_close "$id"
wait_for_exit 10
[ "$exit_status" -eq 0 ] || fail "closed in the final pause: exit status $exit_status"
cmp "$work/one.syx" "$BREVANE_MIDI_SIM/output-1.syx" || fail "sent bytes differ"

# 2: no device opens; the user dismisses the box and closes the window before any upload.
start_program --autoupdate --outputid 5
box=$(wait_for_box_of_program 20) || fail "no box for the device that did not open"
[ "$(xdotool getwindowname "$box")" = "" ] || fail "the first window is not the untitled box"
dismiss_box "$box"
id=$(wait_for_window "Arvella version 1.2 - R688") || fail "no main window after the box"
request_close "$id"
wait_for_exit 10
[ "$exit_status" -eq 2 ] || fail "closed before any upload: exit status $exit_status"
[ ! -s "$BREVANE_MIDI_SIM/output-5.syx" ] || fail "something was sent"
