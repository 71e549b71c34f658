#!/usr/bin/env bash
# "bypass" alone on the command line opens the scoreboards without ever
# creating the splash; a different letter case or a second word does not.
# shellcheck source-path=SCRIPTDIR
source "$(dirname "$0")/lib.sh" "$1"
start_x

start_tallyvane bypass
wait_for "$E2E_DEADLINE" "the home window" window_shown "Tallyvane "
wait_for "$E2E_DEADLINE" "the visitor window" window_shown "Tallyvane"
wait_for "$E2E_DEADLINE" "the home window to be active" is_active_titled "Tallyvane "
# The splash's 416 x 216 window never existed, not even for a moment.
! window_ever_created 416 216 || fail "bypass created the splash"
stop_tallyvane

for arguments in "Bypass" "bypass x"; do
    # shellcheck disable=SC2086 # the words are meant to split
    start_tallyvane $arguments
    wait_for "$E2E_DEADLINE" "the splash with '$arguments'" splash_shown
    ! window_shown "Tallyvane " || fail "'$arguments' opened the scoreboards"
    stop_tallyvane
    wait_for "$E2E_DEADLINE" "the splash to go" eval '! splash_shown'
done
echo "PASS"
