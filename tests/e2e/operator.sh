#!/usr/bin/env bash
# An operator's game: "bypass" opens the scoreboards without a splash; a click
# on a row, the edit line typed and Enter light the digits, and "Set" does the
# same for the next row; F1 shows the help; F2 and Esc leave the store alone;
# F2, the fouls column switched off and OK redraw both panels and store every
# key. Closing the visitor window closes the home window and ends the program.
# shellcheck source-path=SCRIPTDIR
source "$(dirname "$0")/lib.sh" "$1"
start_x
open_scoreboards
! grep -q 'width 416, height 216,' "$E2E_TMP/created.log" || fail "bypass created the splash"
read -r x y w h < <(geometry "$HOME_ID")

# Row bands under the titles, and the digits' default orange in them.
row_top=$((h * 17 / 100)) row_h=$((h * 16 / 100))
lit() { count_colour "$HOME_ID" "${w}x$row_h+0+$((row_top + $1 * row_h))" '#FF8000'; }
(($(lit 0) + $(lit 1) < 5)) || fail "digits lit on a fresh board"
name_box() { click_at $((x + w * 24 / 100)) $((y + h - 8)); }
edit_row() { # <row> <name> <number> <fouls> <points>
    click_at $((x + w / 2)) $((y + row_top + $1 * row_h + row_h / 2))
    name_box
    xdotool key ctrl+a type "$2"
    for value in "${@:3}"; do xdotool key Tab ctrl+a type "$value"; done
}
edit_row 0 Ann 23 4 17
xdotool key Return
wait_for "row 0 lit after Enter" at_least 40 lit 0
edit_row 1 Bo 7 1 9
click_at $((x + w - 14)) $((y + h - 8)) # Set
wait_for "row 1 lit after Set" at_least 40 lit 1

name_box
xdotool key F1
wait_for "the help window" shown "Tallyvane Help"
wmctrl -ic "$(window_id "Tallyvane Help")"
wait_for "the help window to close" gone "Tallyvane Help"

options() {
    name_box
    xdotool key F2
    wait_for "the options dialog" shown Options
    OPTIONS_ID=$(window_id Options)
}
options
xdotool key Escape
wait_for "the options dialog to close" gone Options
[ ! -e "$STORE" ] || fail "Esc wrote the store"

# The header and rows of a panel, without the blinking edit line, once two
# pictures in a row agree (an uncovered part may show a closed window a moment).
picture() { import -silent -window "$1" -crop "${w}x$((h * 70 / 100))+0+0" rgb:- | md5sum; }
digest() { local a='' b; b=$(picture "$1"); until [ "$a" = "$b" ]; do a=$b b=$(picture "$1"); done; echo "$b"; }
changed() { [ "$(digest "$1")" != "$2" ]; }
before_home=$(digest "$HOME_ID") before_visitor=$(digest "$VISITOR_ID")
options
xdotool key ctrl+Tab
read -r ox oy _ < <(geometry "$OPTIONS_ID")
click_at $((ox + 60)) $((oy + 120)) # Player Fouls
xdotool key Return
wait_for "the options dialog to close" gone Options
wait_for "the store" test -s "$STORE"
for key in NumColor=33023 LEDBack=0 FoulsColor=255 PointsColor=49152 FormBack=255 \
    BorderColor=16777215 NumLockForce=0 HomePic= VisitorPic= LEDType=0 ShowPlayerName=1 \
    ShowPlayerNumber=1 ShowPlayerFouls=0 ShowPlayerPoints=1 PlayerTotal=5; do
    grep -qx "$key" "$STORE" || fail "$key not in the store: $(cat "$STORE")"
done
wait_for "the home panel redrawn" changed "$HOME_ID" "$before_home"
wait_for "the visitor panel redrawn" changed "$VISITOR_ID" "$before_visitor"

wmctrl -ic "$VISITOR_ID"
wait_for "both scoreboards to close" eval 'gone "Tallyvane " && gone "Tallyvane"'
wait_for_exit
echo PASS
