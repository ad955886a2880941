#!/usr/bin/env bash
# Runs the benchmarks of a build folder and prints their figures.
set -euo pipefail
build_dir=$1
messages=${BENCH_MESSAGES:-20}
idle_seconds=${BENCH_IDLE_SECONDS:-20}
scripts=$(cd "$(dirname "$0")" && pwd)

# One virtual display for all of it, with the atoms a desktop session has; wide
# enough that the bare window the idle figures are held against stands clear of
# the program's centred windows.
if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 2048x1024x24 -noreset" \
        bash -c 'bash "$1" && shift && exec "$@"' _ "$scripts/xvfb-session-atoms.sh" bash "$0" "$@"
fi

bench="$build_dir/bin/bench_upload"

echo "== upload of $messages messages, sends unthrottled"
(unset BREVANE_MIDI_SIM_RATE; "$bench" "$messages")
echo
echo "== upload of $messages messages at MIDI 1.0 DIN speed"
(export BREVANE_MIDI_SIM_RATE=3125; "$bench" "$messages")
echo
echo "== upload of $messages messages at MIDI 1.0 DIN speed, writing a support record (--log)"
record=$(mktemp)
(export BREVANE_MIDI_SIM_RATE=3125; "$bench" "$messages" --log "$record")
echo "record:            $(wc -l < "$record") lines"
rm -f "$record"
echo
echo "== invalid image"
"$bench" --invalid
echo
echo "== the window left alone, ${idle_seconds} s in each state, beside a bare JUCE window"
(unset BREVANE_MIDI_SIM_RATE; "$build_dir/bin/bench_idle" "$idle_seconds")
echo
echo "== start-up of the program to a visible window"
bash "$scripts/bench-startup.sh" "$build_dir/bin/brevane"
echo
echo "== reading a 100 KB command line"
"$build_dir/bin/bench_command_line" 100
echo
echo "== pause at the receiver behind a driver that queues (ALSA), first ${BENCH_PACING_MESSAGES:-12} messages"
"$build_dir/bin/bench_pacing" "${BENCH_PACING_MESSAGES:-12}"
