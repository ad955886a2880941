# --help, --version, --list-devices and --check answer on standard output
# without a window, also while another instance runs.
source "$(dirname "$0")/lib.sh"

"$program" --help > "$work/help" || fail "--help failed"
grep -q -- "--list-devices" "$work/help" || fail "--help does not name --list-devices"

[ "$("$program" --version)" = "$(printf 'Brevane 1.0\nBuilt-in firmware: Arvella version 1.2 - R688')" ] \
    || fail "--version says: $("$program" --version)"

simulated_outputs "First Port" "Second Port"
printf 'Keyboard In\n' > "$BREVANE_MIDI_SIM/inputs.txt"
expected='MIDI output devices (--outputid):
1 First Port
2 Second Port
3 (Disconnected)

MIDI input devices (--inputid):
1 Keyboard In
2 (Disconnected)'

start_program
id=$(wait_for_window "Arvella version 1.2 - R688") || fail "no main window"

listed=$(timeout 10 "$program" --list-devices) || fail "--list-devices failed while another instance runs"
[ "$listed" = "$expected" ] || fail "--list-devices said: $listed"

printf '\xf0\x01\xf7\x42' > "$work/bad.syx"
set +e
timeout 10 "$program" --check "$work/bad.syx" > "$work/check"
status=$?
set -e
[ "$status" -eq 1 ] || fail "--check on a bad file exited $status"
grep -qxF "Upload failed: invalid SysEx data at byte 3" "$work/check" || fail "--check said: $(cat "$work/check")"

timeout 30 "$program" --check > "$work/check" || fail "--check on the built-in image failed"
grep -qxF "Messages: 544" "$work/check" || fail "--check said: $(cat "$work/check")"

request_close "$id"
wait_for_exit 10
