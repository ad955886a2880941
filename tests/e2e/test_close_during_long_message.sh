# A message longer than every shutdown wait (64 KB: 21 s at MIDI 1.0 speed) is
# on the wire when the window is closed: the program still ends cleanly, the
# upload thread never killed by force.
source "$(dirname "$0")/lib.sh"

simulated_outputs "Sim Out"
write_sysex "$work/long.syx" 2 65536
export BREVANE_MIDI_SIM_RATE=3125
start_program --autoupdate --outputid 1 --file "$work/long.syx"
id=$(wait_for_window "long version 0.0") || fail "no window"

# Past the unattended start's 2000 ms, into the first message.
sleep 3
[ ! -e "$BREVANE_MIDI_SIM/output-1.log" ] || fail "the first message ended too soon to test"

asked=$(date +%s%N)
request_close "$id"
wait_for_exit 10
took=$(( ($(date +%s%N) - asked) / 1000000 ))
echo "ended $took ms after the close request"

[ "$exit_status" -eq 1 ] || fail "unfinished auto-update ended with $exit_status"
! grep -qi "killing thread" "$work/stderr" "$work/stdout" || fail "the upload thread was killed"
[ "$(wc -l < "$BREVANE_MIDI_SIM/output-1.log")" -eq 1 ] || fail "more than the message under way went out"
