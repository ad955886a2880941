# A device unplugged during an unattended upload: nothing more goes out, the
# script is told why, and the exit status says the update did not complete.
source "$(dirname "$0")/lib.sh"

simulated_outputs "Sim Out" "Other Port"
write_sysex "$work/long.syx" 40 32
start_program --autoupdate --outputid 1 --file "$work/long.syx"

log="$BREVANE_MIDI_SIM/output-1.log"
deadline=$(( $(date +%s) + 20 ))
until [ -s "$log" ] && [ "$(wc -l < "$log")" -ge 3 ]; do
    [ "$(date +%s)" -lt "$deadline" ] || fail "upload never started"
    sleep 0.05
done

simulated_outputs "Other Port"
wait_for_exit 15
[ "$exit_status" -eq 1 ] || fail "auto-update to an unplugged device ended with $exit_status"

grep -qxF "status: Upload failed: the MIDI output device is no longer connected" "$work/stdout" \
    || fail "no failure reported"
! grep -qF "Update completed" "$work/stdout" || fail "reported as completed"
! grep -qF "Please turn power off" "$work/stdout" || fail "told to power-cycle"

sent=$(wc -l < "$log")
[ "$sent" -lt 40 ] || fail "the whole file went out"
[ "$(stat -c %s "$BREVANE_MIDI_SIM/output-1.syx")" -eq $(( sent * 32 )) ] || fail "a message went out in part"
cmp -n $(( sent * 32 )) "$work/long.syx" "$BREVANE_MIDI_SIM/output-1.syx" || fail "sent bytes differ from the file"
[ ! -e "$BREVANE_MIDI_SIM/output-2.syx" ] || fail "sent to the other device"
