#!/usr/bin/env bash
# Runs every test of a build folder and ends with CTest's summary.
#
# Tests that run at the same time must not share an X display: one process's
# window takes the keyboard focus, or comes up under the pointer, in the middle
# of another's test. So CTest runs as many tests at once as there are cores and
# is given one virtual display per place: each test asks for a display (the
# resource "displays") and has it to itself while it runs. The end-to-end
# tests start a server of their own besides.
set -u
build_dir=$1
shift
jobs=$(nproc)
scripts=$(cd "$(dirname "$0")" && pwd)

work=$(mktemp -d)
servers=()

cleanup() {
    local server
    for server in "${servers[@]}"; do
        kill "$server" 2>/dev/null
        wait "$server" 2>/dev/null
    done
    rm -rf "$work"
}
trap cleanup EXIT

# start_display FILE: a virtual X server with the atoms a desktop session has;
# its display number goes into FILE once it takes connections.
start_display() {
    local file=$1 deadline=$(( $(date +%s) + 30 ))
    # -noreset: the server keeps its atoms between clients, as a desktop session does.
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -noreset -nolisten tcp 3> "$file" 2> "$file.log" &
    servers+=($!)
    until [ -s "$file" ]; do
        if ! kill -0 "${servers[-1]}" 2>/dev/null || [ "$(date +%s)" -ge "$deadline" ]; then
            echo "Xvfb did not start:" >&2
            cat "$file.log" >&2
            exit 1
        fi
        sleep 0.05
    done
    DISPLAY=":$(head -n 1 "$file")" bash "$scripts/xvfb-session-atoms.sh" || exit 1
}

displays=()
for i in $(seq 1 "$jobs"); do
    start_display "$work/display-$i"
    displays+=("$(head -n 1 "$work/display-$i")")
done

ids=$(printf '{ "id": "%s", "slots": 1 }\n' "${displays[@]}" | paste -sd, -)
printf '{ "version": { "major": 1, "minor": 0 }, "local": [ { "displays": [ %s ] } ] }\n' "$ids" > "$work/resources.json"

# CTest itself lists the suites' tests on the first display; nothing draws there then.
export DISPLAY=":${displays[0]}"
ctest --test-dir "$build_dir" --output-on-failure -j "$jobs" --resource-spec-file "$work/resources.json" "$@"
