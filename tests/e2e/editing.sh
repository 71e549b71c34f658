#!/usr/bin/env bash
# An operator's first minutes: select a player, type the edit line, Enter
# lights the digits; F1 opens help; F2 opens the options, Esc leaves the store
# untouched, F2 and Enter save every key with its default.
# shellcheck source-path=SCRIPTDIR
source "$(dirname "$0")/lib.sh" "$1"

conf=$XDG_CONFIG_HOME/Tallyvane/Tallyvane.conf
# Pixels of exactly the default orange of the number digits in a band of rows.
orange_pixels() {
    import -silent -window "$1" -crop "$2x$3+0+$4" +repage -depth 8 txt:- 2>/dev/null |
        grep -ci '#FF8000'
}
lit() { [ "$(orange_pixels "$@")" -gt 40 ]; }

start_x
start_tallyvane bypass
wait_for $E2E_DEADLINE "the home window" window_shown "Tallyvane "
home=$(window_id "Tallyvane ")
read -r x y w h < <(client_geometry "$home")

# The first row lies just under the titles; nothing is lit on a fresh board.
band_top=$((h * 17 / 100))
band_height=$((h * 13 / 100))
[ "$(orange_pixels "$home" "$w" "$band_height" "$band_top")" -lt 5 ] || fail "digits lit at start"

click_at $((x + w / 2)) $((y + band_top + band_height / 2))     # select row 0
click_at $((x + w * 24 / 100)) $((y + h - 8))                    # the name box
xdotool key ctrl+a type --delay 30 "Ann"
xdotool key Tab ctrl+a type --delay 30 "23"
xdotool key Tab ctrl+a type --delay 30 "4"
xdotool key Tab ctrl+a type --delay 30 "17"
xdotool key Return
wait_for 10 "the number digits lit" lit "$home" "$w" "$band_height" "$band_top"

xdotool key F1
wait_for $E2E_DEADLINE "the help window" window_shown "Tallyvane Help"
wmctrl -c "Tallyvane Help"
wait_for 10 "the help window closed" eval '! window_shown "Tallyvane Help"'

click_at $((x + w * 24 / 100)) $((y + h - 8))
xdotool key F2
wait_for $E2E_DEADLINE "the options dialog" window_shown "Options"
xdotool key Escape
wait_for 10 "the options dialog closed" eval '! window_shown "Options"'
[ ! -e "$conf" ] || fail "Esc wrote the settings store"

click_at $((x + w * 24 / 100)) $((y + h - 8))
xdotool key F2
wait_for $E2E_DEADLINE "the options dialog" window_shown "Options"
xdotool key Return
wait_for 10 "the settings store written" test -s "$conf"
for key in PointsColor=49152 FoulsColor=255 NumColor=33023 LEDBack=0 FormBack=255 \
    BorderColor=16777215 NumLockForce=0 LEDType=0 ShowPlayerName=1 ShowPlayerNumber=1 \
    ShowPlayerFouls=1 ShowPlayerPoints=1 PlayerTotal=5 HomePic= VisitorPic=; do
    grep -qx "$key" "$conf" || fail "$key missing from the store: $(cat "$conf")"
done
tallyvane_running || fail "the program ended"
echo "PASS editing"
