# A missing file is reported, and the built-in firmware stays in use.
source "$(dirname "$0")/lib.sh"

missing="$work/no such.syx"
start_program --file "$missing"
box=$(wait_for_window "File $missing not found") || fail "no message box for the missing file"
[ -z "$(wait_for_window "Arvella version 1.2 - R688" 1 || true)" ] || fail "main window shown before the box was dismissed"

dismiss_box "$box"
id=$(wait_for_window "Arvella version 1.2 - R688") || fail "main window did not keep the built-in title"
request_close "$id"
wait_for_exit 10
