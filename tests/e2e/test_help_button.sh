# The help button shows the product's help window.
source "$(dirname "$0")/lib.sh"

start_program
id=$(wait_for_window "Arvella version 1.2 - R688") || fail "no main window"
sleep 0.5

# The help button sits at (538, 2) 94 x 30 in the panel, which starts 4 pixels
# in from the frame and below the 26-pixel title bar.
# A bare X server with no window manager now and then loses a click on a window
# that has only just settled, so a click that shows nothing in 5 s is repeated.
# (Were the first click only slow, the second would hide the window again and
# the test would fail: it cannot pass on a help button that does not work.)
shown=""
for attempt in 1 2; do
    click_in_window "$id" $(( 4 + 538 + 47 )) $(( 30 + 2 + 15 ))
    if wait_for_window " Arvella update help " 5 > /dev/null; then
        shown=yes
        break
    fi
done
[ -n "$shown" ] || fail "help window not shown"

request_close "$id"
wait_for_exit 10
