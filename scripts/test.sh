#!/usr/bin/env bash
# Runs every test of a build folder; without a display the GUI tests get a
# virtual one. Ends with CTest's summary.
set -u
build_dir=$1
shift

ctest_cmd=(ctest --test-dir "$build_dir" --output-on-failure -j "$(nproc)" "$@")

if [ -n "${DISPLAY:-}" ]; then
    exec "${ctest_cmd[@]}"
fi

# -noreset: the server keeps its atoms between clients, as a desktop session does.
atoms_script="$(dirname "$0")/xvfb-session-atoms.sh"
exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" \
    bash -c 'bash "$1" && shift && exec "$@"' _ "$atoms_script" "${ctest_cmd[@]}"
