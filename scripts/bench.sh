#!/usr/bin/env bash
# Runs the benchmarks of a build folder and prints their figures.
set -euo pipefail
build_dir=$1
messages=${BENCH_MESSAGES:-20}
bench="$build_dir/bin/bench_upload"

run() {
    if [ -n "${DISPLAY:-}" ]; then "$@"; else xvfb-run -a "$@"; fi
}

echo "== upload of $messages messages, sends unthrottled"
(unset BREVANE_MIDI_SIM_RATE; run "$bench" "$messages")
echo
echo "== upload of $messages messages at MIDI 1.0 DIN speed"
(export BREVANE_MIDI_SIM_RATE=3125; run "$bench" "$messages")
echo
echo "== invalid image"
run "$bench" --invalid
echo
echo "== pause at the receiver behind a driver that queues (ALSA), first ${BENCH_PACING_MESSAGES:-12} messages"
run "$build_dir/bin/bench_pacing" "${BENCH_PACING_MESSAGES:-12}"
