#!/usr/bin/env bash
# Enter right after start presses Help, which holds the focus: the help viewer
# opens and the splash stays. Alt+H or a click on Help brings that one viewer
# forward; other keys do nothing. A click on the splash then opens the
# scoreboards; the viewer stays open and keeps the program running after both
# scoreboards are closed, until it is closed too.
# shellcheck source-path=SCRIPTDIR
source "$(dirname "$0")/lib.sh" "$1"
start_x
start_tallyvane

wait_for "$E2E_DEADLINE" "the splash" splash_shown
splash=$(splash_id)
wait_for "$E2E_DEADLINE" "the splash to be active" is_active "$splash"
xdotool key Return
wait_for "$E2E_DEADLINE" "the help viewer" window_shown "Tallyvane Help"
splash_shown || fail "the splash closed on Enter"
! window_shown "Tallyvane " || fail "Enter opened the scoreboards"

# The viewer opens centred over the splash: bring the splash back, then press
# Help again, with Alt+H and with the mouse (frame at 8 px, button at 208, 168
# in it, 81 x 25). The one viewer comes forward each time.
help=$(window_id "Tallyvane Help")
for press in "xdotool key alt+h" "click_at $((432 + 8 + 208 + 40)) $((316 + 168 + 12))"; do
    xdotool windowactivate --sync "$splash"
    wait_for "$E2E_DEADLINE" "the splash to be active again" is_active "$splash"
    $press
    wait_for "$E2E_DEADLINE" "the help viewer to come forward after '$press'" is_active "$help"
    splash_shown || fail "Help closed the splash"
    [ "$(xdotool search --onlyvisible --name '^Tallyvane Help$' | wc -l)" -eq 1 ] ||
        fail "more than one help viewer"
done

# Escape and other keys on the splash do nothing.
xdotool windowactivate --sync "$splash" key Escape F1 F2
splash_shown || fail "a key closed the splash"
! window_shown "Tallyvane " || fail "a key opened the scoreboards"

click_at $((432 + 300)) $((316 + 150))
wait_for "$E2E_DEADLINE" "the home window" window_shown "Tallyvane "
wait_for "$E2E_DEADLINE" "the visitor window" window_shown "Tallyvane"
window_shown "Tallyvane Help" || fail "the help viewer closed with the splash"

wmctrl -ic "$(window_id "Tallyvane ")"
wait_for "$E2E_DEADLINE" "both scoreboards to close" \
    eval '! window_shown "Tallyvane " && ! window_shown "Tallyvane"'
tallyvane_running || fail "the program ended with the help viewer open"
wmctrl -ic "$(window_id "Tallyvane Help")"
wait_for_exit
echo "PASS"
