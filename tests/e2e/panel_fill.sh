#!/usr/bin/env bash
# The panel covers each scoreboard window's whole client area: right after
# opening (no uncovered band at the top), after a resize, and after a
# minimise and restore.
# shellcheck source-path=SCRIPTDIR
source "$(dirname "$0")/lib.sh" "$1"
start_x
start_tallyvane bypass
wait_for "$E2E_DEADLINE" "the home window" window_shown "Tallyvane "
wait_for "$E2E_DEADLINE" "the visitor window" window_shown "Tallyvane"

# The window's own background, which an uncovered band would show.
window_background="#EFEFEF"

# The top rows at both edges, and the bottom row, show the panel's colour:
# the colour of the panel's left margin half-way down.
covered() {
    local id=$1 width height panel x y
    read -r _ _ width height < <(client_geometry "$id")
    panel=$(pixel_of "$id" 1 $((height / 2)))
    [ -n "$panel" ] && [ "${panel^^}" != "$window_background" ] || return 1
    for x in 1 $((width - 2)); do
        for y in 0 4 13 26 $((height - 1)); do
            [ "$(pixel_of "$id" "$x" "$y")" = "$panel" ] || return 1
        done
    done
}

for title in "Tallyvane " "Tallyvane"; do
    id=$(window_id "$title")
    wait_for "$E2E_DEADLINE" "the panel to fill '$title'" covered "$id"
done

home=$(window_id "Tallyvane ")
xdotool windowsize --sync "$home" 420 640
wait_for "$E2E_DEADLINE" "the home window's new size" client_size_is "$home" "420 640"
wait_for "$E2E_DEADLINE" "the panel to fill the resized window" covered "$home"

xdotool windowminimize --sync "$home"
xdotool windowactivate --sync "$home"
wait_for "$E2E_DEADLINE" "the panel to fill the restored window" covered "$home"
echo "PASS"
