#!/usr/bin/env bash
# Makes the README's picture of the window after start-up: the program in a
# virtual X display, then a grab of that display cut to the window.
set -euo pipefail
program=${1:-build/bin/brevane}
out=${2:-docs/screenshot.png}

display=":$(( 90 + RANDOM % 100 ))"
Xvfb "$display" -screen 0 900x600x24 -noreset > /dev/null 2>&1 &
xvfb=$!
trap 'kill $app $xvfb 2>/dev/null || true' EXIT
export DISPLAY=$display
sleep 1
bash "$(dirname "$0")/xvfb-session-atoms.sh"

sim=$(mktemp -d)
printf 'USB MIDI Interface\nArvella MIDI Port\n' > "$sim/outputs.txt"
BREVANE_MIDI_SIM=$sim "$program" > /dev/null 2>&1 &
app=$!

for _ in $(seq 1 100); do
    id=$(xdotool search --onlyvisible --name '^Arvella version' 2>/dev/null | head -n 1 || true)
    [ -n "$id" ] && break
    sleep 0.1
done
[ -n "${id:-}" ] || { echo "the window did not appear" >&2; exit 1; }
sleep 1

eval "$(xdotool getwindowgeometry --shell "$id")"
mkdir -p "$(dirname "$out")"
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$out"
rm -rf "$sim"
echo "wrote $out (${WIDTH}x${HEIGHT})"
