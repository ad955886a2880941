# --help, --version, --list-devices and --check answer on standard output
# without a window, also while another instance runs.
source "$(dirname "$0")/lib.sh"

"$program" --help > "$work/help" || fail "--help failed"
grep -q -- "--list-devices" "$work/help" || fail "--help does not name --list-devices"

[ "$("$program" --version)" = "$(printf 'Brevane %s\nBuilt-in firmware: Arvella version 1.2 - R688' "$BREVANE_VERSION")" ] \
    || fail "--version says: $("$program" --version)"

simulated_outputs "First Port" "Second Port"
printf 'Keyboard In\n' > "$BREVANE_MIDI_SIM/inputs.txt"
expected='MIDI output devices (--outputid):
1 First Port
2 Second Port
3 (Disconnected)

MIDI input devices (--inputid):
1 Keyboard In
2 (Disconnected)'

start_program
id=$(wait_for_window "Arvella version 1.2 - R688") || fail "no main window"

listed=$(timeout 10 "$program" --list-devices) || fail "--list-devices failed while another instance runs"
[ "$listed" = "$expected" ] || fail "--list-devices said: $listed"

printf '\xf0\x01\xf7\x42' > "$work/bad.syx"
set +e
timeout 10 "$program" --check "$work/bad.syx" > "$work/check"
status=$?
set -e
[ "$status" -eq 1 ] || fail "--check on a bad file exited $status"
grep -qxF "Upload failed: invalid SysEx data at byte 3" "$work/check" || fail "--check said: $(cat "$work/check")"

timeout 30 "$program" --CHECK > "$work/check" || fail "--CHECK on the built-in image failed"
grep -qxF "Messages: 544" "$work/check" || fail "--CHECK said: $(cat "$work/check")"

# Pipes are read to their end, not by their reported size of 0.
printf '\xf0\x01\xf7\xf0\xf7' | timeout 10 "$program" --check /dev/stdin > "$work/check" \
    || fail "--check of a pipe on stdin said: $(cat "$work/check")"
grep -qxF "Messages: 2" "$work/check" || fail "--check of a pipe on stdin said: $(cat "$work/check")"
timeout 10 "$program" --check <(printf '\xf0\x01\xf7') > "$work/check" \
    || fail "--check of a process substitution said: $(cat "$work/check")"

# Whatever cannot be read says why, and nothing hangs.
check_fails_saying() {
    local expected=$1 status
    shift
    set +e
    timeout 30 "$@" > "$work/check"
    status=$?
    set -e
    [ "$status" -eq 1 ] || fail "$* exited $status"
    grep -qxF "$expected" "$work/check" || fail "$* said: $(cat "$work/check")"
}

check_fails_saying "File /dev/zero is larger than 16 MiB" "$program" --check /dev/zero
mkfifo "$work/fifo"
check_fails_saying "File $work/fifo cannot be read: nothing was written to it within 10 s" "$program" --check "$work/fifo"

as_nobody=(setpriv --reuid=65534 --regid=65534 --clear-groups)
if [ "$(id -u)" -eq 0 ] && ! "${as_nobody[@]}" "$program" --version > /dev/null 2>&1; then
    echo "skipped the unreadable file: the user nobody cannot run $program from here"
elif [ "$(id -u)" -eq 0 ]; then
    # Root reads anything: the unreadable file is tried as the user nobody.
    locked=$(mktemp -d /tmp/brevane-locked.XXXXXX)
    chmod 755 "$locked"
    printf '\xf0\xf7' > "$locked/locked.syx"
    chmod 600 "$locked/locked.syx"
    check_fails_saying "File $locked/locked.syx cannot be read: Permission denied" \
        "${as_nobody[@]}" "$program" --check "$locked/locked.syx"
    rm -rf "$locked"
else
    printf '\xf0\xf7' > "$work/locked.syx"
    chmod 000 "$work/locked.syx"
    check_fails_saying "File $work/locked.syx cannot be read: Permission denied" "$program" --check "$work/locked.syx"
fi

request_close "$id"
wait_for_exit 10
