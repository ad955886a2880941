# The window names the firmware it will send: built in, or the loaded file.
source "$(dirname "$0")/lib.sh"

start_program
id=$(wait_for_window "Arvella version 1.2 - R688") || fail "no window titled with the built-in firmware"
request_close "$id"
wait_for_exit 10
[ "$exit_status" -eq 0 ] || fail "interactive run ended with $exit_status"

write_sysex "$work/my update.syx" 2 16
start_program --file "$work/my update.syx"
id=$(wait_for_window "my update version 0.0") || fail "no window titled with the file's name"
request_close "$id"
wait_for_exit 10
[ "$exit_status" -eq 0 ] || fail "interactive run ended with $exit_status"
