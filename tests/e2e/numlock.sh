#!/usr/bin/env bash
# NumLock held on the real keyboard: a store saying "keep on" switches it on
# at start; choosing "Keep Numlock Off" in the options switches it off at OK,
# and a NumLock pressed in an input box comes back off at its release.
# shellcheck source-path=SCRIPTDIR
source "$(dirname "$0")/lib.sh" "$1"
numlock_is() { xset q | grep -q "Num Lock: *$1"; }
start_x
numlock_is off || xdotool key Num_Lock
wait_for "NumLock off before the start" numlock_is off

printf '[KeySettings]\nNumLockForce=1\n' >"$STORE"
open_scoreboards
wait_for "NumLock switched on at start" numlock_is on

xdotool key F2
wait_for "the options dialog" shown Options
read -r ox oy _ < <(geometry "$(window_id Options)")
xdotool key ctrl+Tab
click_at $((ox + 260)) $((oy + 244)) # Keep Numlock Off
xdotool key Return
wait_for "NumLock switched off at OK" numlock_is off
grep -qx NumLockForce=2 "$STORE" || fail "NumLockForce=2 not stored: $(cat "$STORE")"

wait_for "the home window active again" is_active "$HOME_ID"
xdotool keydown Num_Lock
wait_for "NumLock on while held" numlock_is on
xdotool keyup Num_Lock
wait_for "NumLock back off after the release" numlock_is off
running || fail "the program ended"
echo PASS
