#!/usr/bin/env bash
# Starts the program a few times on a simulated device and prints the time
# from the start to its window being visible, and its peak memory once shown.
set -euo pipefail
program=$1
runs=${BENCH_STARTUP_RUNS:-5}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
echo "Benchmark Out" > "$work/outputs.txt"
export BREVANE_MIDI_SIM=$work
export BREVANE_LOCK_DIR=$work   # its own single-instance lock

times=()
peak=0
for _ in $(seq 1 "$runs"); do
    started=$(date +%s%N)
    "$program" > /dev/null 2>&1 &
    pid=$!

    shown=""
    for _ in $(seq 1 2000); do
        if xdotool search --onlyvisible --pid "$pid" --name '^Arvella version' > /dev/null 2>&1; then
            shown=$(date +%s%N)
            break
        fi
        kill -0 "$pid" 2> /dev/null || break
        sleep 0.005
    done

    if [ -z "$shown" ]; then
        kill "$pid" 2> /dev/null || true
        echo "the window did not appear" >&2
        exit 1
    fi

    sleep 1
    kib=$(awk '/^VmHWM:/ { print $2 }' "/proc/$pid/status")
    [ "$kib" -gt "$peak" ] && peak=$kib
    kill "$pid"
    wait "$pid" 2> /dev/null || true
    times+=($(( (shown - started) / 1000000 )))
done

median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n "$(( (runs + 1) / 2 ))p")
echo "start-up to a visible window  ${median} ms median of $runs (${times[*]} ms) (target <= 300 ms)"
awk -v k="$peak" 'BEGIN { printf "peak memory, window shown     %6.1f MB (target <= 30 MB)\n", k / 1024 }'
