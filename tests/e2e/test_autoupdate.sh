# Unattended: the device is picked by number, the file goes out byte for byte
# at the program's pace, the script sees each step, and the run ends by itself.
source "$(dirname "$0")/lib.sh"

simulated_outputs "Sim Out"
write_sysex "$work/small.syx" 3 24
start_program --autoupdate --outputid 1 --file "$work/small.syx"
wait_for_exit 30
[ "$exit_status" -eq 0 ] || fail "completed auto-update ended with $exit_status"

cmp "$work/small.syx" "$BREVANE_MIDI_SIM/output-1.syx" || fail "sent bytes differ from the file"

awk 'NR == 1 && $1 < 2000 { print "first message at " $1 " ms"; bad = 1 }
     NR > 1 && $1 - last < 300 { print "gap of " $1 - last " ms"; bad = 1 }
     { last = $1 } END { exit bad }' "$BREVANE_MIDI_SIM/output-1.log" || fail "pacing broken"
[ "$(wc -l < "$BREVANE_MIDI_SIM/output-1.log")" -eq 3 ] || fail "expected three sends"

[ "$(head -n 1 "$work/stdout")" = "image: small version 0.0, 72 bytes, 3 messages, sha256 $(sha256_of "$work/small.syx")" ] \
    || fail "the first line does not name the image"
for line in "status: Uploading firmware" "progress: 100%, 0 min 00 s left" "status: Update completed" \
            "status: Please turn power off and on again"; do
    grep -qxF "$line" "$work/stdout" || fail "missing line: $line"
done
