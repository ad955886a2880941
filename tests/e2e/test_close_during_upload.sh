# Closing the window mid-upload stops it within the message under way, and an
# unattended run that did not finish does not report success.
source "$(dirname "$0")/lib.sh"

simulated_outputs "Sim Out"
write_sysex "$work/long.syx" 40 32
start_program --autoupdate --outputid 1 --file "$work/long.syx"
id=$(wait_for_window "long version 0.0") || fail "no window"

log="$BREVANE_MIDI_SIM/output-1.log"
deadline=$(( $(date +%s) + 15 ))
until [ -s "$log" ] && [ "$(wc -l < "$log")" -ge 2 ]; do
    [ "$(date +%s)" -lt "$deadline" ] || fail "upload never started"
    sleep 0.05
done

asked=$(date +%s%N)
request_close "$id"
wait_for_exit 5
took=$(( ($(date +%s%N) - asked) / 1000000 ))
[ "$took" -lt 1500 ] || fail "took $took ms to end after the close request"
[ "$exit_status" -eq 1 ] || fail "unfinished auto-update ended with $exit_status"

sent=$(wc -l < "$log")
[ "$sent" -lt 40 ] || fail "the whole file went out"
sleep 0.5
[ "$(wc -l < "$log")" -eq "$sent" ] || fail "messages sent after the program ended"
