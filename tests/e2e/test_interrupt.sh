# Ctrl-C and SIGTERM end an auto-update as the system does by default: the
# message handed to the driver is whole, and nothing more goes out.
source "$(dirname "$0")/lib.sh"

simulated_outputs "Sim Out"
write_sysex "$work/long.syx" 30 32
log="$BREVANE_MIDI_SIM/output-1.log"

for signal in INT TERM; do
    for mode in without with; do
        rm -f "$BREVANE_MIDI_SIM"/output-1.*
        if [ "$mode" = without ]; then
            start_program_without_display --autoupdate --outputid 1 --file "$work/long.syx"
        else
            start_program --autoupdate --outputid 1 --file "$work/long.syx"
        fi
        deadline=$(( $(date +%s) + 20 ))
        until [ -s "$log" ] && [ "$(wc -l < "$log")" -ge 2 ]; do
            [ "$(date +%s)" -lt "$deadline" ] || fail "SIG$signal, $mode display: upload never started"
            sleep 0.05
        done
        kill -s "$signal" "$pid"
        wait_for_exit 5
        expected=$(( 128 + $(kill -l "$signal") ))
        [ "$exit_status" -eq "$expected" ] || fail "SIG$signal, $mode display: exit status $exit_status"

        bytes=$(stat -c %s "$BREVANE_MIDI_SIM/output-1.syx")
        sleep 0.7
        [ "$(stat -c %s "$BREVANE_MIDI_SIM/output-1.syx")" -eq "$bytes" ] || fail "SIG$signal, $mode display: sent after the end"
        [ $(( bytes % 32 )) -eq 0 ] || fail "SIG$signal, $mode display: a message was cut ($bytes bytes)"
        [ "$bytes" -lt $(( 30 * 32 )) ] || fail "SIG$signal, $mode display: the whole file went out"
        cmp -n "$bytes" "$work/long.syx" "$BREVANE_MIDI_SIM/output-1.syx" \
            || fail "SIG$signal, $mode display: sent bytes differ"
    done
done
