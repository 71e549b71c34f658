#!/usr/bin/env bash
# Both scoreboard windows closed at once, in either order, right after they
# appear or after a moment: the program always ends, with status 0.
# shellcheck source-path=SCRIPTDIR
source "$(dirname "$0")/lib.sh" "$1"
start_x

for order in "visitor home" "home visitor" "visitor home"; do
    start_tallyvane bypass
    wait_for "$E2E_DEADLINE" "the home window" window_shown "Tallyvane "
    wait_for "$E2E_DEADLINE" "the visitor window" window_shown "Tallyvane"
    declare -A ids=([home]=$(window_id "Tallyvane ") [visitor]=$(window_id "Tallyvane"))
    for side in $order; do
        wmctrl -ic "${ids[$side]}"
    done
    wait_for_exit
done

# The same while the first refresh tick is due, with the pointer over a panel.
start_tallyvane bypass
wait_for "$E2E_DEADLINE" "the home window" window_shown "Tallyvane "
wait_for "$E2E_DEADLINE" "the visitor window" window_shown "Tallyvane"
read -r x y w h < <(client_geometry "$(window_id "Tallyvane ")")
xdotool mousemove $((x + w / 2)) $((y + h / 2))
sleep 0.9
wmctrl -ic "$(window_id "Tallyvane ")"
wmctrl -ic "$(window_id "Tallyvane")" 2>/dev/null || true # may be gone already
wait_for_exit
echo "PASS robust_close"
