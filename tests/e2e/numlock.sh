#!/usr/bin/env bash
# NumLock held as configured, on a real X server: force 1 from a hand-written
# store turns it on at start, force 0 leaves it alone, force 2 snaps it back
# off when the operator presses NumLock in a panel.
source "$(dirname "$0")/lib.sh" "$1"

numlock() { xset q | grep -o 'Num Lock: *\(on\|off\)' | awk '{print $3}'; }
numlock_is() { [ "$(numlock)" = "$1" ]; }
set_numlock() { numlock_is "$1" || xdotool key Num_Lock; wait_for 10 "NumLock $1" numlock_is "$1"; }

store() {
    mkdir -p "$XDG_CONFIG_HOME/Tallyvane"
    printf '[KeySettings]\nNumLockForce=%s\n' "$1" >"$XDG_CONFIG_HOME/Tallyvane/Tallyvane.conf"
}

start_scoreboards() {
    start_tallyvane bypass
    wait_for $E2E_DEADLINE "the home window" window_shown "Tallyvane "
    wait_for $E2E_DEADLINE "the visitor window" window_shown "Tallyvane"
}

start_x

# Keep on: a panel's creation switches it on.
set_numlock off
store 1
start_scoreboards
wait_for 10 "NumLock switched on at start" numlock_is on
stop_tallyvane

# Normal mode: the keyboard is left alone, through start-up and the first
# refresh tick (which comes one second after the panels are created).
for state in off on; do
    set_numlock $state
    store 0
    start_scoreboards
    sleep 1.5
    numlock_is $state || fail "normal mode changed NumLock from $state"
    stop_tallyvane
done

# Keep off: pressing NumLock in a panel turns it on at the press, and the
# panel turns it off again at the release.
set_numlock on
store 2
start_scoreboards
wait_for 10 "NumLock switched off at start" numlock_is off
home=$(window_id "Tallyvane ")
read -r x y w h < <(client_geometry "$home")
click_at $((x + w * 6 / 10)) $((y + 12)) # the team name box
wait_for 10 "the home window active" is_active "$home"
xdotool keydown Num_Lock
wait_for 10 "NumLock on while held" numlock_is on
xdotool keyup Num_Lock
wait_for 10 "NumLock back off after the release" numlock_is off
tallyvane_running || fail "the program ended"
echo "PASS numlock"
