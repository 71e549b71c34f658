#!/usr/bin/env bash
# A settings store with every key damaged, and team pictures that cannot be
# shown: "bypass" still opens both windows in the default colours, the options
# dialog opens over them, and the program keeps running through its refresh
# ticks. Then the same with a folder where the store file should be.
# shellcheck source-path=SCRIPTDIR
source "$(dirname "$0")/lib.sh" "$1"
data=$(cd "$(dirname "$0")/../data/robust" && pwd)
store=$XDG_CONFIG_HOME/Tallyvane/Tallyvane.conf
mkdir -p "$(dirname "$store")"

# A byte-order mark, a line outside any section, words, numbers out of range,
# Qt's typed syntax, control bytes, a duplicated section and a cut last line.
{
    printf '\xef\xbb\xbfno section here\n'
    printf '[ColorSettings]\nPointsColor=green\nFoulsColor=-1\nNumColor=99999999999\n'
    printf 'LEDBack=@Rect(1 2 3 4)\nFormBack=0x00FF00\nBorderColor=\x01\x02\xff\n'
    printf '[KeySettings]\nNumLockForce=keep on\n'
    printf '[PicSettings]\nLEDType=Dots\nHomePic=%s\nVisitorPic=%s\n' \
        "$data/picture/huge-declared.png" "$E2E_TMP"
    printf '[Display]\nShowPlayerName=yes\nShowPlayerNumber=\nShowPlayerFouls=2\n'
    printf 'PlayerTotal=70000\n[Display]\nPlayerTotal=1e3\n[Display\nPlayerTo'
} >"$store"

# The panel's own background: red by default, whatever the store said.
red_at_corner() { local p; p=$(pixel_of "$1" 2 2); [ "${p,,}" = "#ff0000" ]; }

start_scoreboards() {
    start_tallyvane bypass
    wait_for "$E2E_DEADLINE" "the home window" window_shown "Tallyvane "
    wait_for "$E2E_DEADLINE" "the visitor window" window_shown "Tallyvane"
    wait_for 10 "the home panel's default red" red_at_corner "$(window_id "Tallyvane ")"
    wait_for 10 "the visitor panel's default red" red_at_corner "$(window_id "Tallyvane")"
}

start_x
start_scoreboards
# The options dialog shows what was loaded.
home=$(window_id "Tallyvane ")
read -r x y w _ < <(client_geometry "$home")
click_at $((x + w * 6 / 10)) $((y + 12))
xdotool key F2
wait_for "$E2E_DEADLINE" "the options dialog" window_shown "Options"
xdotool key Escape
wait_for 10 "the options dialog closed" eval '! window_shown "Options"'
# Two refresh ticks later it is still there.
sleep 2.5
tallyvane_running || fail "the program ended with a damaged store"
stop_tallyvane

rm "$store"
mkdir "$store"
start_scoreboards
sleep 2.5
tallyvane_running || fail "the program ended with a folder for its store"
echo "PASS robust_store"
