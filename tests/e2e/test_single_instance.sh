# A second start leaves the running program alone and exits at once.
source "$(dirname "$0")/lib.sh"

start_program
first=$pid
id=$(wait_for_window "Arvella version 1.2 - R688") || fail "first instance has no window"

started=$(date +%s)
set +e
timeout 20 "$program" --file /nowhere.syx > /dev/null 2>&1
second_status=$?
set -e
[ "$second_status" -eq 0 ] || fail "second instance ended with $second_status"
[ $(( $(date +%s) - started )) -lt 10 ] || fail "second instance took too long"

kill -0 "$first" || fail "first instance is gone"
count=$(visible_window_titles | grep -c "version" || true)
[ "$count" -eq 1 ] || fail "expected one window, found $count"

request_close "$id"
wait_for_exit 10
