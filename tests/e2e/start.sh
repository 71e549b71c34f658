#!/usr/bin/env bash
# The operator starts the program: the borderless splash shows its texts, Enter
# on Help opens the guide (a second Help keeps one viewer), a click beside the
# frame opens both scoreboards filled by their panels, home on top and active.
# Closing the home window closes the visitor window; the help viewer keeps the
# program alive until it is closed too.
# shellcheck source-path=SCRIPTDIR
source "$(dirname "$0")/lib.sh" "$1"
start_x
start_tallyvane

wait_for "the splash" splash_id
splash=$(splash_id)
# 1280 x 1024 screen: left (19200 - 6240) / 2 twips, top (15360 - 5880) / 2.
[ "$(geometry "$splash")" = "432 316 416 216" ] || fail "splash at $(geometry "$splash")"
[ "$(xprop -id "$splash" _NET_FRAME_EXTENTS)" = "_NET_FRAME_EXTENTS(CARDINAL) = 0, 0, 0, 0" ] ||
    fail "the splash has a border: $(xprop -id "$splash" _NET_FRAME_EXTENTS)"
# Text in lblName and Label1 (frame at 8, 0 px; labels inside it).
at_least 200 count_dark "$splash" 377x49+20+16 || fail "no product name on the splash"
at_least 100 count_dark "$splash" 217x17+184+112 || fail "no F1 hint on the splash"
wait_for "the splash to be active" is_active "$splash"

xdotool key Return
wait_for "the help viewer" shown "Tallyvane Help"
help=$(window_id "Tallyvane Help")
read -r _ _ w h < <(geometry "$help")
# The guide fills the page; the missing-file message would be one line.
wait_for "the guide in the viewer" at_least 3000 count_dark "$help" "$((w - 40))x$((h / 2))+20+$((h / 3))"
xdotool windowactivate --sync "$splash"
click_at $((432 + 256)) $((316 + 180)) # Help, at 208, 168 in the frame
wait_for "the viewer to come forward" is_active "$help"
(($(xdotool search --onlyvisible --name "^Tallyvane Help$" | wc -l) == 1)) || fail "more than one help viewer"
splash_id >/dev/null || fail "Help closed the splash"
gone "Tallyvane " || fail "Help opened the scoreboards"

xdotool windowactivate --sync "$splash"
click_at $((432 + 3)) $((316 + 100)) # the strip left of the frame
wait_for "the scoreboards" eval 'shown "Tallyvane " && shown "Tallyvane"'
home=$(window_id "Tallyvane ") visitor=$(window_id "Tallyvane")
wait_for "the splash to go" eval '! splash_id'
wait_for "the home window to be active" is_active "$home"
top=$(xprop -root _NET_CLIENT_LIST_STACKING | grep -o '0x[0-9a-f]*' | while read -r id; do
    echo $((id)); done | grep -xE "$home|$visitor" | tail -n 1)
[ "$top" = "$home" ] || fail "the visitor window is above the home window"

# Both side columns of each panel are its red from the top row down: no band.
for id in "$home" "$visitor"; do
    read -r _ _ w h < <(geometry "$id")
    [ "$w $h" = "338 524" ] || fail "client area ${w}x$h, not 338x524"
    for x in 1 $((w - 2)); do
        wait_for "the panel to cover $id at x $x" at_least 40 count_colour "$id" "1x40+$x+0" '#FF0000'
    done
done

wmctrl -ic "$home"
wait_for "both scoreboards to close" eval 'gone "Tallyvane " && gone "Tallyvane"'
running || fail "the program ended with the help viewer open"
wmctrl -ic "$help"
wait_for_exit
echo PASS
