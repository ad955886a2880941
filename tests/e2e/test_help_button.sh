# The help button shows the product's help window.
source "$(dirname "$0")/lib.sh"

start_program
id=$(wait_for_window "Arvella version 1.2 - R688") || fail "no main window"
sleep 0.5

# The help button sits at (538, 2) 94 x 30 in the panel, which starts 4 pixels
# in from the frame and below the 26-pixel title bar.
click_in_window "$id" $(( 4 + 538 + 47 )) $(( 30 + 2 + 15 ))
wait_for_window " Arvella update help " 10 > /dev/null || fail "help window not shown"

request_close "$id"
wait_for_exit 10
