# Nobody reading the progress and a closed terminal do not stop an upload:
# every byte arrives and the run ends with 0.
source "$(dirname "$0")/lib.sh"

simulated_outputs "Sim Out"
write_sysex "$work/file.syx" 8 40
sent="$BREVANE_MIDI_SIM/output-1.syx"

# The reader goes after the first line; the program goes on writing into the closed pipe.
set +e
first=$(timeout 60 env -u DISPLAY "$program" --autoupdate --outputid 1 --file "$work/file.syx" 2> "$work/stderr" | head -n 1; \
        echo "status ${PIPESTATUS[0]}")
set -e
[ "$(printf '%s\n' "$first" | head -n 1)" = "image: file version 0.0, 320 bytes, 8 messages, sha256 $(sha256_of "$work/file.syx")" ] \
    || fail "head saw: $first"
printf '%s\n' "$first" | grep -qx "status 0" || fail "closed pipe: $(printf '%s\n' "$first" | tail -n 1)"
cmp "$work/file.syx" "$sent" || fail "closed pipe: sent bytes differ from the file"

# SIGHUP half way, with and without a window.
for mode in without with; do
    rm -f "$sent" "$BREVANE_MIDI_SIM/output-1.log"
    if [ "$mode" = without ]; then
        start_program_without_display --autoupdate --outputid 1 --file "$work/file.syx"
    else
        start_program --autoupdate --outputid 1 --file "$work/file.syx"
    fi
    deadline=$(( $(date +%s) + 20 ))
    until [ -s "$BREVANE_MIDI_SIM/output-1.log" ] && [ "$(wc -l < "$BREVANE_MIDI_SIM/output-1.log")" -ge 2 ]; do
        [ "$(date +%s)" -lt "$deadline" ] || fail "$mode display: upload never started"
        sleep 0.05
    done
    kill -HUP "$pid"
    wait_for_exit 30
    [ "$exit_status" -eq 0 ] || fail "$mode display: SIGHUP mid-upload ended it with $exit_status"
    cmp "$work/file.syx" "$sent" || fail "$mode display: sent bytes differ after SIGHUP"
done
