#!/usr/bin/env bash
# Closing either scoreboard window closes the other, and the program ends.
# shellcheck source-path=SCRIPTDIR
source "$(dirname "$0")/lib.sh" "$1"
start_x

for closed in "Tallyvane" "Tallyvane "; do
    start_tallyvane bypass
    wait_for "$E2E_DEADLINE" "the home window" window_shown "Tallyvane "
    wait_for "$E2E_DEADLINE" "the visitor window" window_shown "Tallyvane"
    wmctrl -ic "$(window_id "$closed")"
    wait_for "$E2E_DEADLINE" "both windows to close after closing '$closed'" \
        eval '! window_shown "Tallyvane " && ! window_shown "Tallyvane"'
    wait_for_exit
done
echo "PASS"
