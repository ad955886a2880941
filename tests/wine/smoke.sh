#!/usr/bin/env bash
# Smoke test of the Windows program under Wine, in a virtual X display with a
# fresh Wine prefix: the information commands, an unattended update through
# the simulated MIDI devices, a close request during an upload and the
# window's colours. No real Windows MIDI driver runs here.
#   tests/wine/smoke.sh build-windows/bin/brevane.exe
set -uo pipefail

exe=$(realpath "$1")

# Everything runs inside one virtual display; never a fixed display number.
if [ -z "${BREVANE_WINE_SMOKE_INSIDE:-}" ]; then
    BREVANE_WINE_SMOKE_INSIDE=1 exec timeout -k 10 600 \
        xvfb-run -a -s "-screen 0 1024x768x24 -noreset" bash "$0" "$exe"
fi

started=$(date +%s)
work=$(mktemp -d)
export WINEPREFIX=$work/prefix WINEARCH=win64 WINEDEBUG=-all
# Wine turns Unix arguments and the environment into UTF-16 by the locale's
# character set: names beyond ASCII need a UTF-8 one.
export LC_ALL=C.UTF-8
# No Mono or Gecko installer dialogs while the prefix is made.
export WINEDLLOVERRIDES="mscoree=;mshtml="

cleanup() {
    timeout 20 wineserver -k 2> /dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

passed=0
failed=0
pass() { passed=$(( passed + 1 )); echo "PASS: $1"; }
fail() { failed=$(( failed + 1 )); echo "FAIL: $1"; shift; for line in "$@"; do echo "    $line"; done; }

# A Unix path as the program sees it: Wine's drive Z: is the Unix root.
windows_path() { printf 'Z:%s' "${1//\//\\}"; }

# run_exe SECONDS ARGS...: the program in the foreground; sets $status, output in $work/out and $work/err.
run_exe() {
    local seconds=$1; shift
    timeout -k 5 "$seconds" wine "$exe" "$@" > "$work/raw" 2> "$work/err"
    status=$?
    # The C runtime ends text lines with CR LF on Windows.
    tr -d '\r' < "$work/raw" > "$work/out"
}

write_sysex() {
    python3 - "$1" "$2" "$3" <<'PY'
import sys
path, count, length = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
with open(path, "wb") as f:
    for i in range(count):
        f.write(bytes([0xF0, 0x7D]) + bytes((i + j) & 0x7F for j in range(length - 3)) + bytes([0xF7]))
PY
}

# A fresh simulated device folder with one output.
new_sim() {
    sim=$work/sim-$1
    mkdir -p "$sim"
    printf 'Sim Out\n' > "$sim/outputs.txt"
    export BREVANE_MIDI_SIM
    BREVANE_MIDI_SIM=$(windows_path "$sim")
}

screenshot() { import -window root "$1" 2> /dev/null; }

pixel() { convert "$1" -format "%[hex:p{$2,$3}]" info: 2> /dev/null; }

# near RRGGBB RRGGBB TOLERANCE: every channel within the tolerance.
near() {
    local a=$1 b=$2 tolerance=$3 i
    [ ${#a} -eq 6 ] || return 1
    for i in 0 2 4; do
        local d=$(( 16#${a:i:2} - 16#${b:i:2} ))
        [ ${d#-} -le "$tolerance" ] || return 1
    done
}

# ---------------------------------------------------------------- the .exe itself
headers=$(x86_64-w64-mingw32-objdump -p "$exe")
if grep -q "^Subsystem.*(Windows GUI)" <<< "$headers"; then
    pass "a window program: no console opens when it is double-clicked"
else
    fail "the .exe is not a window program" "$(grep Subsystem <<< "$headers")"
fi

# Finds and closes the program's windows from inside Wine.
tool=$work/window-tool.exe
x86_64-w64-mingw32-gcc-posix -municode -O2 -static -o "$tool" "$(dirname "$0")/window-tool.c" \
    || { echo "0 passed, 1 failed"; exit 1; }

# ---------------------------------------------------------------- a fresh prefix
# A virtual desktop, and windows nobody manages: without a window manager Wine
# otherwise waits 2 s for each window it hides (a window and its four shadows
# at every exit).
prefix_started=$(date +%s)
timeout -k 5 120 wine wineboot --init > /dev/null 2>&1
boot=$?
cat > "$work/desktop.reg" <<'REG'
REGEDIT4

[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"="Default"

[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
"Default"="1024x768"

[HKEY_CURRENT_USER\Software\Wine\X11 Driver]
"Managed"="N"
REG
timeout -k 5 60 wine regedit /S "$(windows_path "$work/desktop.reg")" > /dev/null 2>&1
regedit=$?
# One server for all the cases, so each start does not pay for its own.
timeout 10 wineserver -p > /dev/null 2>&1 || true
if [ "$boot" -eq 0 ] && [ "$regedit" -eq 0 ]; then
    pass "fresh Wine prefix with a virtual desktop ($(( $(date +%s) - prefix_started )) s)"
else
    fail "Wine prefix" "wineboot $boot, regedit $regedit"
    echo "0 passed, $(( failed )) failed"
    exit 1
fi

# ---------------------------------------------------------------- information commands
run_exe 60 --version
if [ "$status" -eq 0 ] && grep -qx "Brevane 1.0" "$work/out" \
        && grep -q "^Built-in firmware: " "$work/out"; then
    pass "--version reaches a redirected standard output, exit 0"
else
    fail "--version" "exit $status" "$(head -n 3 "$work/out")"
fi

run_exe 60 --help
if [ "$status" -eq 0 ] && grep -q "^Usage: brevane" "$work/out"; then
    pass "--help, exit 0"
else
    fail "--help" "exit $status" "$(head -n 3 "$work/out")"
fi

run_exe 60 --check
if [ "$status" -eq 0 ] && grep -qx "The whole image would be sent." "$work/out"; then
    pass "--check on the built-in image, exit 0"
else
    fail "--check on the built-in image" "exit $status" "$(cat "$work/out")"
fi

# A message that never ends: the image is damaged.
write_sysex "$work/damaged.syx" 3 24
printf '\xf0\x7d\x01\x02' >> "$work/damaged.syx"
run_exe 60 --check "$(windows_path "$work/damaged.syx")"
if [ "$status" -eq 1 ] && grep -q "^Upload failed: " "$work/out"; then
    pass "--check on a damaged file, exit 1"
else
    fail "--check on a damaged file" "exit $status" "$(cat "$work/out")"
fi

new_sim list
run_exe 60 --list-devices
if [ "$status" -eq 0 ] && grep -qx "1 Sim Out" "$work/out" && grep -qx "2 (Disconnected)" "$work/out"; then
    pass "--list-devices through the simulated devices, exit 0"
else
    fail "--list-devices" "exit $status" "$(cat "$work/out")"
fi

# ---------------------------------------------------------------- started from a console
# A window program is given no console: started from cmd.exe in a terminal, it
# must join cmd's own or its lines go nowhere. script(1) gives cmd a terminal,
# which Wine's console draws on with escape sequences: those are taken out.
BREVANE_EXE=$(windows_path "$exe") BREVANE_DAMAGED=$(windows_path "$work/damaged.syx") \
    timeout -k 5 120 script -qec 'wine cmd /c "$BREVANE_EXE" --version; echo "status=$?"
                                  wine cmd /c "$BREVANE_EXE" --check "$BREVANE_DAMAGED"; echo "status=$?"' \
    "$work/typescript" > /dev/null 2>&1
python3 - "$work/typescript" > "$work/console" <<'PY'
import re, sys
text = open(sys.argv[1], "rb").read().decode("utf-8", "replace").split("\n", 1)[-1]
text = re.sub(r"\x1b\[(\d*)C", lambda m: " " * int(m.group(1) or 1), text)
text = re.sub(r"\x1b\[[0-9;?]*[A-Za-z]|\x1b\][^\x07]*\x07", "", text)
print(text.replace("\r", ""))
PY
problems=()
grep -qx "Brevane 1.0" "$work/console" || problems+=("no version line on the console")
grep -q "^Upload failed: " "$work/console" || problems+=("no \"Upload failed\" line on the console")
[ "$(grep -o '^status=[0-9]*' "$work/console" | tr '\n' ' ')" = "status=0 status=1 " ] \
    || problems+=("exit statuses through cmd: $(grep -o '^status=[0-9]*' "$work/console" | tr '\n' ' ')")
if [ ${#problems[@]} -eq 0 ]; then
    pass "started from cmd.exe in a terminal: lines on its console, exit 0 and 1"
else
    fail "started from cmd.exe in a terminal" "${problems[@]}" "$(head -n 8 "$work/console")"
fi

# ---------------------------------------------------------------- unattended update
# The device folder and the file are named beyond ASCII, as a user's own
# folders often are: a name read or written as the wrong code page loses the
# file or the bytes sent.
new_sim "update Gerät ü"
firmware="$work/Firmware für Arvella/neue Version ü.syx"
mkdir -p "$(dirname "$firmware")"
write_sysex "$firmware" 3 24
run_exe 90 --autoupdate --outputid 1 --file "$(windows_path "$firmware")"
problems=()
[ "$status" -eq 0 ] || problems+=("exit $status")
cmp -s "$firmware" "$sim/output-1.syx" || problems+=("sent bytes differ from the file")
[ -f "$sim/output-1.log" ] && [ "$(wc -l < "$sim/output-1.log")" -eq 3 ] || problems+=("expected three sends")
gaps=$(awk 'NR == 1 && $1 < 2000 { print "first message at " $1 " ms" }
            NR > 1 && $1 - last < 300 { print "gap of " $1 - last " ms" }
            { last = $1 }' "$sim/output-1.log" 2> /dev/null)
[ -z "$gaps" ] || problems+=("$gaps")
for line in "status: Uploading firmware" "progress: 100%, 0 min 00 s left" "status: Update completed" \
            "status: Please turn power off and on again"; do
    grep -qxF "$line" "$work/out" || problems+=("missing line: $line")
done
if [ ${#problems[@]} -eq 0 ]; then
    pass "auto-update from and to folders named beyond ASCII: bytes identical, 300 ms gaps, script lines, exit 0"
else
    fail "auto-update" "${problems[@]}"
fi

# ---------------------------------------------------------------- close during an upload
new_sim close
write_sysex "$work/long.syx" 40 32
timeout -k 5 60 wine "$exe" --autoupdate --outputid 1 --file "$(windows_path "$work/long.syx")" \
    > "$work/out" 2> "$work/err" &
pid=$!
deadline=$(( $(date +%s) + 30 ))
until [ -s "$sim/output-1.log" ] && [ "$(wc -l < "$sim/output-1.log")" -ge 2 ]; do
    [ "$(date +%s)" -lt "$deadline" ] && kill -0 "$pid" 2> /dev/null || break
    sleep 0.1
done
problems=()
if [ -s "$sim/output-1.log" ]; then
    # JUCE repaints only on a vertical blank, which Wine never reports: without
    # the program's own mend the bar would stay empty. Its left end fills first.
    if read -r x y _ _ < <(timeout -k 5 40 wine "$tool" find "long version 0.0" 10 | tr -d '\r'); then
        deadline=$(( $(date +%s) + 5 ))
        until screenshot "$work/upload.png"
              ! near "$(pixel "$work/upload.png" $(( x + 24 )) $(( y + 261 )) | tr 'A-F' 'a-f')" ffffff 8; do
            [ "$(date +%s)" -lt "$deadline" ] || { problems+=("the progress bar stayed empty"); break; }
            sleep 0.2
        done
    else
        problems+=("no window during the upload")
    fi
    timeout -k 5 30 wine "$tool" close "long version 0.0" || problems+=("no window to close")
    asked=$(date +%s%N)
    deadline=$(( $(date +%s) + 10 ))
    while kill -0 "$pid" 2> /dev/null && [ "$(date +%s)" -lt "$deadline" ]; do sleep 0.05; done
    took=$(( ($(date +%s%N) - asked) / 1000000 ))
    if kill -0 "$pid" 2> /dev/null; then
        problems+=("still running 10 s after the close request")
        kill "$pid" 2> /dev/null
    fi
    wait "$pid"
    status=$?
    [ "$status" -eq 1 ] || problems+=("unfinished auto-update ended with $status")
    sent=$(wc -l < "$sim/output-1.log")
    [ "$sent" -lt 40 ] || problems+=("the whole file went out")
    sleep 0.5
    [ "$(wc -l < "$sim/output-1.log")" -eq "$sent" ] || problems+=("messages sent after the program ended")
else
    problems+=("the upload never started")
    kill "$pid" 2> /dev/null
    wait "$pid"
fi
if [ ${#problems[@]} -eq 0 ]; then
    pass "close request during an upload: the bar fills, stops within ${took} ms, exit 1"
else
    fail "close request during an upload" "${problems[@]}"
fi

# ---------------------------------------------------------------- the window's colours
# Offsets and colours are those of the Linux window (650 x 400); the title text
# and fonts differ, so only plain areas are probed.
new_sim window
timeout -k 5 60 wine "$exe" > "$work/out" 2> "$work/err" &
pid=$!
probes=(
    "100 8 5188ae title-bar gradient, top"
    "100 16 8cb0c8 title-bar gradient, middle"
    "100 24 c4d5e0 title-bar gradient, bottom"
    "300 350 eff2f3 window background"
    "560 252 f5d5d6 update button, disabled"
)
problems=()
title="Arvella version 1.2 - R688"
if read -r x y width height < <(timeout -k 5 40 wine "$tool" find "$title" 30 | tr -d '\r'); then
    [ "$width" -eq 650 ] && [ "$height" -eq 400 ] || problems+=("window is ${width} x ${height}")
    # Wine's virtual desktop fills the X screen, so its coordinates are the screen's.
    deadline=$(( $(date +%s) + 15 ))
    while :; do
        problems=()
        screenshot "$work/window.png"
        for probe in "${probes[@]}"; do
            read -r px py expected what <<< "$probe"
            actual=$(pixel "$work/window.png" $(( x + px )) $(( y + py )) | tr 'A-F' 'a-f')
            near "$actual" "$expected" 10 || problems+=("$what at $px,$py: $actual, expected $expected")
        done
        [ ${#problems[@]} -eq 0 ] || [ "$(date +%s)" -ge "$deadline" ] && break
        sleep 0.5
    done
    timeout -k 5 30 wine "$tool" close "$title" || problems+=("no window to close")
else
    problems+=("the window did not appear")
fi
deadline=$(( $(date +%s) + 10 ))
while kill -0 "$pid" 2> /dev/null && [ "$(date +%s)" -lt "$deadline" ]; do sleep 0.1; done
kill "$pid" 2> /dev/null
wait "$pid"
status=$?
[ "$status" -eq 0 ] || problems+=("interactive run ended with $status")
if [ ${#problems[@]} -eq 0 ]; then
    pass "window: title-bar gradient, background and update button as on Linux"
else
    [ -f "$work/window.png" ] && cp "$work/window.png" "${TMPDIR:-/tmp}/brevane-wine-window.png" \
        && problems+=("screenshot kept in ${TMPDIR:-/tmp}/brevane-wine-window.png")
    fail "window colours" "${problems[@]}"
fi

echo "Wine smoke test: $(( $(date +%s) - started )) s"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
