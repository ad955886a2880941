# The single-instance lock fails closed: when it cannot be taken, no upload
# starts, with or without a display, and the reason is said; exit 2. Only a
# lock that another instance holds gives 3, and never two uploads at once.
source "$(dirname "$0")/lib.sh"

simulated_outputs "Sim Out"
write_sysex "$work/file.syx" 3 24
lock="$BREVANE_LOCK_DIR/brevane.lock"
sent="$BREVANE_MIDI_SIM/output-1.syx"

# closed NAME REASON [RUNNER...]: every start refuses with REASON and sends nothing.
closed() {
    local name=$1 reason=$2
    shift 2
    local runner=("$@")
    for mode in "no display" "display" "interactive"; do
        rm -f "$sent"
        set +e
        case $mode in
            "no display")  timeout 30 env -u DISPLAY "${runner[@]}" "$program" --autoupdate --outputid 1 --file "$work/file.syx" ;;
            "display")     timeout 30 "${runner[@]}" "$program" --autoupdate --outputid 1 --file "$work/file.syx" ;;
            "interactive") timeout 30 "${runner[@]}" "$program" ;;
        esac > "$work/stdout" 2> "$work/stderr"
        exit_status=$?
        set -e
        [ "$exit_status" -eq 2 ] || fail "$name, $mode: exit status $exit_status"
        grep -qF "the single-instance lock $lock cannot be taken: $reason" "$work/stderr" \
            || fail "$name, $mode: stderr does not say \"$reason\""
        [ ! -s "$sent" ] || fail "$name, $mode: something was sent"
    done
}

mkdir "$lock"
closed "a directory" "it is a directory"
rmdir "$lock"

ln -s brevane.lock "$lock"
closed "a link loop" "it is a symbolic link"
rm "$lock"

ln -s "$work/elsewhere/planted" "$lock"
mkdir "$work/elsewhere"
closed "a dangling link" "it is a symbolic link"
[ ! -e "$work/elsewhere/planted" ] || fail "a dangling link: its target was created"
rm "$lock"

mkfifo "$lock"
closed "a FIFO" "it is not a regular file"
rm "$lock"

# Permissions count only for a user other than root.
if [ "$(id -u)" -eq 0 ]; then
    touch "$lock"
    chown nobody "$lock"
    closed "another user's file" "it belongs to another user"
    rm "$lock"

    # The folder the lock lives in is not writable for the user who runs it.
    chmod 755 "$work" "$work/lock"
    chmod 777 "$BREVANE_MIDI_SIM"
    chmod 644 "$work/file.syx"
    closed "a folder not writable" "Permission denied" setpriv --reuid=nobody --regid=nogroup --clear-groups
    chmod 700 "$work"
else
    chmod 555 "$BREVANE_LOCK_DIR"
    closed "a folder not writable" "Permission denied"
    chmod 755 "$BREVANE_LOCK_DIR"
fi

# Held by another instance: the second of two uploads started 0.5 s apart says
# so with 3, and the device gets the first one's messages once, in order.
write_sysex "$work/long.syx" 6 24
rm -f "$BREVANE_MIDI_SIM"/output-1.*
start_program_without_display --autoupdate --outputid 1 --file "$work/long.syx"
sleep 0.5
set +e
timeout 30 env -u DISPLAY "$program" --autoupdate --outputid 1 --file "$work/long.syx" > "$work/second.out" 2> "$work/second.err"
second=$?
set -e
[ "$second" -eq 3 ] || fail "second upload: exit status $second"
wait_for_exit 30
[ "$exit_status" -eq 0 ] || fail "first upload: exit status $exit_status"
cmp "$work/long.syx" "$sent" || fail "the device did not get the image exactly once"
