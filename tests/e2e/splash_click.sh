#!/usr/bin/env bash
# The splash stands centred across and high on the screen with the focus; a
# click on the strip beside its frame replaces it by the two scoreboards,
# captioned exactly, the home window on top and active.
# shellcheck source-path=SCRIPTDIR
source "$(dirname "$0")/lib.sh" "$1"
start_x
start_tallyvane

wait_for "$E2E_DEADLINE" "the splash" splash_shown
splash=$(splash_id)
# 1280 x 1024 screen: left (19200 - 6240) / 2 twips, top (15360 - 5880) / 2.
[ "$(client_geometry "$splash")" = "432 316 416 216" ] ||
    fail "splash geometry $(client_geometry "$splash")"
wait_for "$E2E_DEADLINE" "the splash to be active" is_active "$splash"

click_at $((432 + 3)) $((316 + 100))
wait_for "$E2E_DEADLINE" "the home window" window_shown "Tallyvane "
wait_for "$E2E_DEADLINE" "the visitor window" window_shown "Tallyvane"
home=$(window_id "Tallyvane ")
visitor=$(window_id "Tallyvane")
[ "$home" != "$visitor" ] || fail "one window answers to both captions"
wait_for "$E2E_DEADLINE" "the splash to go" eval '! splash_shown'

wait_for "$E2E_DEADLINE" "the home window to be active" is_active "$home"
[ "$(topmost_of "$home" "$visitor")" = "$home" ] || fail "the visitor window is on top"

for id in "$home" "$visitor"; do
    read -r _ _ width height < <(client_geometry "$id")
    [ "$width $height" = "338 524" ] || fail "client area ${width}x${height}, not 338x524"
    # Motif hints: functions and decorations offer minimise but no maximise.
    read -r _ functions decorations _ < <(xprop -id "$id" _MOTIF_WM_HINTS |
        sed 's/.*= //; s/,//g')
    ((functions & 0x08 && !(functions & 0x10))) || fail "window functions $functions"
    ((decorations & 0x20 && !(decorations & 0x40))) || fail "window decorations $decorations"
done
echo "PASS"
