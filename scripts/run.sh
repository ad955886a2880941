#!/usr/bin/env bash
# Starts the updater; without a display it says how to run it under Xvfb.
set -u
program=$1
shift
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display to open the window on; run it in a virtual one with: xvfb-run -a $program${*:+ $*}" >&2
    exit 1
fi
exec "$program" "$@"
