#!/usr/bin/env bash
# The live feed in Debian's headless Chromium. Off, the program opens no port
# and loads no plugin. On, the page shows a player typed into the home
# scoreboard and a hostile name and team name as text; /state.json holds the
# same; POST is refused.
# shellcheck source-path=SCRIPTDIR
source "$(dirname "$0")/lib.sh" "$1"
start_x
open_scoreboards
! ss -ltnpH | grep -q "pid=$TV_PID," || fail "a port is open with the feed off"
! grep -q tallyvanefeed "/proc/$TV_PID/maps" || fail "the feed plugin is loaded with the feed off"
stop_tallyvane

start_feed
# true <expression>: the page holds it true.
true_in_page() { [ "$(wd execute/sync "{\"script\":\"return $1\",\"args\":[]}")" = '{"value":true}' ]; }
wd url "{\"url\":\"$FEED_URL/\"}" >/dev/null
wait_for "the page" true_in_page "document.querySelectorAll('.board .row').length === 10"

read -r x y w h < <(geometry "$HOME_ID")
click_at $((x + w * 24 / 100)) $((y + h - 8)) # name box
xdotool key ctrl+a type '<b>x</b>'
xdotool key Tab ctrl+a type 23
xdotool key Tab ctrl+a BackSpace Tab ctrl+a type 17
xdotool key Return
wait_for "the player in the page" true_in_page "document.querySelector('.row .name').textContent \
  === '<b>x</b>' && !document.querySelector('b') && document.body.dataset.renders > 1"
read -r x y w h < <(geometry "$VISITOR_ID")
click_at $((x + w / 2)) $((y + h * 4 / 100)) # team name
xdotool key ctrl+a type '<img src=x onerror=alert(1)>'
wait_for "the team name in the page" true_in_page "document.querySelectorAll('h1')[1].textContent \
  === '<img src=x onerror=alert(1)>' && !document.querySelector('img')"

state=$(curl -sf "$FEED_URL/state.json")
for part in '"players":[{"fouls":null,"name":"<b>x</b>","number":23,"points":17}' \
    '"name":"<img src=x onerror=alert(1)>"'; do grep -qF "$part" <<<"$state" || fail "state: $state"; done
[ "$(curl -s -o /dev/null -w '%{http_code}' -X POST -d x "$FEED_URL/")" = 405 ] || fail "POST served"
echo PASS
