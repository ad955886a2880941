# A second auto-update while one runs says so and exits with 3; a second
# interactive start stays silent with 0. The first run goes on untouched.
source "$(dirname "$0")/lib.sh"

simulated_outputs "Sim Out"
write_sysex "$work/file.syx" 12 24
start_program_without_display --autoupdate --outputid 1 --file "$work/file.syx"
deadline=$(( $(date +%s) + 20 ))
until grep -q "^status: Uploading firmware" "$work/stdout" 2>/dev/null; do
    [ "$(date +%s)" -lt "$deadline" ] || fail "first run did not start"
    sleep 0.05
done

for display in without with; do
    set +e
    if [ "$display" = without ]; then
        timeout 20 env -u DISPLAY "$program" --autoupdate --outputid 1 > "$work/second.out" 2> "$work/second.err"
    else
        timeout 20 "$program" --autoupdate --outputid 1 > "$work/second.out" 2> "$work/second.err"
    fi
    second=$?
    set -e
    [ "$second" -eq 3 ] || fail "second auto-update $display display ended with $second"
    grep -qF "another instance is running" "$work/second.err" || fail "second auto-update did not say why"
done

set +e
timeout 20 "$program" > "$work/second.out" 2> "$work/second.err"
second=$?
set -e
[ "$second" -eq 0 ] || fail "second interactive start ended with $second"
# A debug build of JUCE names its version on stderr in every process; nothing else may show.
[ -z "$(grep -v '^JUCE v' "$work/second.err")" ] && [ ! -s "$work/second.out" ] \
    || fail "second interactive start was not silent"

wait_for_exit 30
[ "$exit_status" -eq 0 ] || fail "first run ended with $exit_status"
cmp "$work/file.syx" "$BREVANE_MIDI_SIM/output-1.syx" || fail "first run's bytes differ"
