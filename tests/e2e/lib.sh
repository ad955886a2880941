# Shared by the end-to-end tests: a simulated MIDI folder, the program started
# in the background, and ways to see what a user would see.
set -euo pipefail

program=$1
x11helper=$2

work=$(mktemp -d)
export BREVANE_MIDI_SIM=$work/sim
# Each test has a single-instance lock of its own: other programs and other
# tests running on the machine at the same time are none of its business.
export BREVANE_LOCK_DIR=$work/lock
mkdir -p "$BREVANE_MIDI_SIM" "$BREVANE_LOCK_DIR"
pid=""
closing_window=""
silent_server=""
display_server=""

cleanup() {
    if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    fi
    local server
    for server in "$silent_server" "$display_server"; do
        if [ -n "$server" ]; then
            kill "$server" 2>/dev/null || true
            wait "$server" 2>/dev/null || true
        fi
    done
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    [ -f "$work/stdout" ] && { echo "--- program stdout"; cat "$work/stdout"; } >&2
    [ -f "$work/stderr" ] && { echo "--- program stderr"; tail -n 20 "$work/stderr"; } >&2
    exit 1
}

# Each test has an X server of its own, too: no window, focus or pointer
# position that another test left behind reaches it, and nothing of it lasts.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -noreset -nolisten tcp 3> "$work/display" 2> "$work/xvfb.log" &
display_server=$!
deadline=$(( $(date +%s) + 30 ))
until [ -s "$work/display" ]; do
    kill -0 "$display_server" 2>/dev/null || { cat "$work/xvfb.log" >&2; fail "Xvfb did not start"; }
    [ "$(date +%s)" -lt "$deadline" ] || fail "Xvfb did not start in 30 s"
    sleep 0.05
done
export DISPLAY=":$(head -n 1 "$work/display")"

# A bare X server has no window manager, so the atoms a close request needs do
# not exist until some client makes them; the program only looks them up.
"$x11helper" atoms || fail "no X display"

simulated_outputs() {
    printf '%s\n' "$@" > "$BREVANE_MIDI_SIM/outputs.txt"
}

# start_program ARGS...: the program in the background, output kept in $work.
start_program() {
    "$program" "$@" > "$work/stdout" 2> "$work/stderr" &
    pid=$!
}

# start_program_without_display ARGS...: the same, as over SSH without X forwarding.
start_program_without_display() {
    env -u DISPLAY "$program" "$@" > "$work/stdout" 2> "$work/stderr" &
    pid=$!
}

# start_silent_display: sets $silent_display to a display whose server takes the
# connection and never answers, as a dead forwarded display does.
start_silent_display() {
    python3 - "$work/silent-port" <<'PY' &
import socket, sys, time
s = socket.socket()
for port in range(6100, 6999):
    try:
        s.bind(("127.0.0.1", port))
        break
    except OSError:
        pass
s.listen(8)
with open(sys.argv[1] + ".tmp", "w") as f:
    f.write(str(port))
import os
os.rename(sys.argv[1] + ".tmp", sys.argv[1])
held = []
while True:
    c, _ = s.accept()
    held.append(c)
PY
    silent_server=$!
    local tries=0
    while [ ! -f "$work/silent-port" ]; do
        tries=$(( tries + 1 ))
        [ "$tries" -lt 100 ] || fail "silent display did not start"
        sleep 0.05
    done
    silent_display="127.0.0.1:$(( $(cat "$work/silent-port") - 6000 ))"
}

# nudge_program: makes the program read what X has for it (see x11-helper). An
# input event that one of its own round trips pulled into Xlib's queue would
# otherwise wait there until something else arrives, which on a bare server
# may be never: a key or a click that seems lost.
nudge_program() {
    local window
    [ -n "$pid" ] || return 0
    window=$(xdotool search --pid "$pid" 2>/dev/null | head -n 1 || true)
    [ -z "$window" ] || "$x11helper" nudge "$window" || true
}

# wait_for_window TITLE [SECONDS]: prints the id of the visible window with exactly that title.
# While it waits, the program is nudged, so that what it was sent last is read.
wait_for_window() {
    local title=$1 seconds=${2:-15} id
    local deadline=$(( $(date +%s) + seconds ))
    while [ "$(date +%s)" -lt "$deadline" ]; do
        id=$(xdotool search --onlyvisible --name "^$(printf '%s' "$title" | sed 's/[][\.*^$+?(){}|]/\\&/g')\$" 2>/dev/null | head -n 1 || true)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        nudge_program
        sleep 0.1
    done
    return 1
}

# is_visible ID: whether the program's window ID is on the screen.
is_visible() {
    local shown
    shown=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null || true)
    grep -qx "$1" <<< "$shown"
}

# wait_for_box_of_program [SECONDS]: prints the id of the program's first visible window.
wait_for_box_of_program() {
    local seconds=${1:-15} id
    local deadline=$(( $(date +%s) + seconds ))
    while [ "$(date +%s)" -lt "$deadline" ]; do
        id=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -n 1 || true)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    return 1
}

# dismiss_box ID: presses Return in the message box ID, as its user would, once,
# and waits until the box has gone. The box has the keyboard focus before the
# key goes; afterwards the program is nudged until it has read the key.
dismiss_box() {
    local box=$1
    local deadline=$(( $(date +%s) + 15 ))
    until [ "$(xdotool getwindowfocus 2>/dev/null || true)" = "$box" ]; do
        [ "$(date +%s)" -lt "$deadline" ] || fail "the box $box never took the keyboard focus"
        xdotool windowfocus --sync "$box" 2>/dev/null || sleep 0.05
    done
    xdotool key --clearmodifiers Return
    while is_visible "$box"; do
        [ "$(date +%s)" -lt "$deadline" ] || fail "the box $box is still there 15 s after Return"
        nudge_program
        sleep 0.05
    done
}

visible_window_titles() {
    xdotool search --onlyvisible --name '.' 2>/dev/null | while read -r id; do
        xdotool getwindowname "$id" 2>/dev/null || true
    done
}

# request_close ID: the window system's close request, as a window manager sends it.
request_close() {
    closing_window=$1
    "$x11helper" close "$closing_window"
}

# wait_for_exit SECONDS: sets $exit_status; fails if the program is still running then.
# After a close request the window's client is nudged now and then (see x11-helper).
wait_for_exit() {
    local seconds=$1 polls=0
    local deadline=$(( $(date +%s%N) / 1000000 + seconds * 1000 ))
    while kill -0 "$pid" 2>/dev/null; do
        [ $(( $(date +%s%N) / 1000000 )) -lt "$deadline" ] || fail "still running after $seconds s"
        sleep 0.05
        polls=$(( polls + 1 ))
        if [ -n "$closing_window" ] && [ $(( polls % 4 )) -eq 0 ]; then
            "$x11helper" nudge "$closing_window" || true
        fi
    done
    closing_window=""
    set +e
    wait "$pid"
    exit_status=$?
    set -e
    pid=""
}

# click_in_window ID X Y: a real pointer click at a point of the window.
click_in_window() {
    local id=$1 x=$2 y=$3
    xdotool mousemove --window "$id" "$x" "$y" sleep 0.2 click 1
}

# write_sysex FILE COUNT LENGTH: COUNT messages of LENGTH bytes each, F0 ... F7.
write_sysex() {
    local file=$1 count=$2 length=$3
    python3 - "$file" "$count" "$length" <<'PY'
import sys
path, count, length = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
with open(path, "wb") as f:
    for i in range(count):
        f.write(bytes([0xF0, 0x7D]) + bytes((i + j) & 0x7F for j in range(length - 3)) + bytes([0xF7]))
PY
}

# sha256_of FILE: the file's SHA-256 as sha256sum prints it.
sha256_of() {
    sha256sum < "$1" | cut -d ' ' -f 1
}
