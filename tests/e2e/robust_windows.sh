#!/usr/bin/env bash
# Rough handling of a running scoreboard: sizes from nothing to beyond the
# screen, a storm of resizes, F1 and F2 hammered and held. The program lives
# through it all, lays out again at a normal size, and never has more than
# one help window or one options dialog.
# shellcheck source-path=SCRIPTDIR
source "$(dirname "$0")/lib.sh" "$1"

count_titled() { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | wc -l; }
red_at() { local p; p=$(pixel_of "$1" "$2" "$3"); [ "${p,,}" = "#ff0000" ]; }
alive() { tallyvane_running || fail "the program ended: $*"; }

start_x
start_tallyvane bypass
wait_for "$E2E_DEADLINE" "the home window" window_shown "Tallyvane "
wait_for "$E2E_DEADLINE" "the visitor window" window_shown "Tallyvane"
home=$(window_id "Tallyvane ")
visitor=$(window_id "Tallyvane")

# X refuses a zero size, so 0 x 0 may be turned down; 1 x 1 is the least.
for size in "0 0" "1 1" "1 2000" "2000 1" "3 3" "1280 1024" "4000 3000" "8000 8000"; do
    # shellcheck disable=SC2086 # two numbers
    xdotool windowsize "$home" $size 2>/dev/null || true
    # shellcheck disable=SC2086
    xdotool windowsize "$visitor" $size 2>/dev/null || true
    xdotool sync 2>/dev/null || true
done
alive "after extreme sizes"
for _ in $(seq 1 80); do
    xdotool windowsize "$home" $((RANDOM % 1700)) $((RANDOM % 1400)) 2>/dev/null || true
    xdotool windowsize "$visitor" $((RANDOM % 1700)) $((RANDOM % 1400)) 2>/dev/null || true
done
alive "during the resize storm"

# Back to an ordinary size side by side (the storm may have stacked them),
# each panel lays itself out again.
xdotool windowmove "$home" 0 0 windowmove "$visitor" 640 0
for id in "$home" "$visitor"; do
    xdotool windowsize "$id" 420 560
    wait_for 10 "window $id back to 420 x 560" client_size_is "$id" "420 560"
    wait_for "$E2E_DEADLINE" "window $id painted after the storm" red_at "$id" 3 3
done

# Keys go to the home panel through its team name box. (The pointer leaves
# first: moving it where it already is would wait for a motion that never
# comes.)
focus_home() {
    read -r x y w _ < <(client_geometry "$home")
    xdotool mousemove 1279 1023
    click_at $((x + w * 6 / 10)) $((y + 12))
    wait_for 10 "the home window active" is_active "$home"
}

# F2 pressed three times fast, then held down with key repeat: one dialog at
# a time, and Escape leaves none behind.
focus_home
xdotool key --delay 15 F2 F2 F2
wait_for "$E2E_DEADLINE" "the options dialog" window_shown "Options"
[ "$(count_titled Options)" -eq 1 ] || fail "$(count_titled Options) options dialogs"
xdotool key Escape
wait_for 10 "the options dialog closed" eval '! window_shown "Options"'
focus_home
xdotool keydown F2
sleep 1.2
xdotool keyup F2
wait_for "$E2E_DEADLINE" "the options dialog" window_shown "Options"
[ "$(count_titled Options)" -eq 1 ] || fail "$(count_titled Options) options dialogs"
xdotool key Escape
wait_for 10 "the options dialog closed" eval '! window_shown "Options"'
for _ in 1 2 3 4 5; do
    focus_home
    xdotool key F2
    wait_for "$E2E_DEADLINE" "the options dialog" window_shown "Options"
    xdotool key Escape
    wait_for 10 "the options dialog closed" eval '! window_shown "Options"'
done
sleep 1
! window_shown "Options" || fail "an options dialog came back by itself"
alive "after F2"

# F1 forty times and then held: one help window.
focus_home
xdotool key --delay 5 --repeat 40 F1
wait_for "$E2E_DEADLINE" "the help window" window_shown "Tallyvane Help"
focus_home
xdotool keydown F1
sleep 1.2
xdotool keyup F1
sleep 0.5
[ "$(count_titled "Tallyvane Help")" -eq 1 ] ||
    fail "$(count_titled "Tallyvane Help") help windows"
alive "after F1"
echo "PASS robust_windows"
