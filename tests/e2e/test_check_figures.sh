# --check's figures: the SHA-256 is the one sha256sum gives, the shortest and
# longest message are the file's, and the estimated times are what a simulated
# upload of the file takes.
source "$(dirname "$0")/lib.sh"

builtin_syx=$(cd "$(dirname "$0")/../../firmware" && pwd)/builtin.syx
timeout 30 "$program" --check > "$work/check" || fail "--check on the built-in image failed"
grep -qxF "SHA-256: $(sha256_of "$builtin_syx")" "$work/check" || fail "built-in SHA-256: $(cat "$work/check")"

# Ten messages of 500 bytes and one of 20: 11 x 300 ms + 5020 x 0.32 ms.
write_sysex "$work/fw.syx" 10 500
write_sysex "$work/tail.syx" 1 20
cat "$work/tail.syx" >> "$work/fw.syx"
timeout 30 "$program" --check "$work/fw.syx" > "$work/check" || fail "--check failed: $(cat "$work/check")"
for line in "Messages: 11" "Bytes: 5020" "SHA-256: $(sha256_of "$work/fw.syx")" \
            "Shortest message: 20 bytes (message 11)" "Longest message: 500 bytes (message 1)" \
            "Estimated upload time over USB: 3.3 s" \
            "Estimated upload time over MIDI DIN (3125 bytes/s): 4.9 s"; do
    grep -qxF "$line" "$work/check" || fail "--check lacks \"$line\": $(cat "$work/check")"
done

# estimate LABEL: the estimate --check printed, in milliseconds.
estimate() {
    grep -F "$1" "$work/check" | sed 's/.*: \([0-9.]*\) s$/\1/' | awk '{ printf "%d", $1 * 1000 }'
}

# measured RATE: how long the upload of fw.syx holds the line through the
# simulated device, from the start of the first send to the end of the rest
# after the last, as the device's own log shows it.
simulated_outputs "Sim Out"
measured() {
    rm -f "$BREVANE_MIDI_SIM/output-1.log" "$BREVANE_MIDI_SIM/output-1.syx"
    BREVANE_MIDI_SIM_RATE=$1 timeout 60 env -u DISPLAY "$program" --autoupdate --file "$work/fw.syx" \
        > "$work/stdout" 2> "$work/stderr" || fail "upload at rate '$1' failed"
    awk -v rate="$1" 'NR == 1 { first = $1; firstLength = $2 } { last = $1 }
         END { wire = rate > 0 ? firstLength * 1000 / rate : 0; printf "%d", last - first + wire + 300 }' \
        "$BREVANE_MIDI_SIM/output-1.log"
}

# No shorter than the estimate, give or take its precision of 0.1 s, and no more
# than a quarter longer, which is what a busy machine may add to eleven sends:
# an estimate that left out the wire time (3.3 s for 4.9 s) or counted it over
# USB (4.9 s for 3.3 s) is outside either way.
within() {
    local name=$1 estimated=$2 took=$3
    [ "$took" -ge $(( estimated - 100 )) ] && [ "$took" -le $(( estimated * 5 / 4 )) ] \
        || fail "$name: estimated $estimated ms, the simulated upload took $took ms"
    echo "$name: estimated $estimated ms, measured $took ms"
}

within "MIDI DIN" "$(estimate "over MIDI DIN")" "$(measured 3125)"
within "USB" "$(estimate "over USB")" "$(measured 0)"
