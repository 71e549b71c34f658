#!/usr/bin/env bash
# The live feed in Debian's headless Chromium. Off, the program opens no port,
# loads no plugin and runs no thread of the feed's. On, it listens on this
# computer only; the page shows a player typed into the home scoreboard and a
# hostile name and team name as text, one team and no background when asked,
# and the options dialog's OK; /state.json holds the same; POST is refused.
# shellcheck source-path=SCRIPTDIR
source "$(dirname "$0")/lib.sh" "$1"
start_x
open_scoreboards
! ss -ltnpH | grep -q "pid=$TV_PID," || fail "a port is open with the feed off"
! grep -q 'tallyvanefeed\|tallyvanebroker\|libQt6Network' "/proc/$TV_PID/maps" || fail "a feed library is loaded with the feed off"
! grep -qi feed /proc/"$TV_PID"/task/*/comm || fail "a feed thread runs with the feed off"
stop_tallyvane

start_feed
[ "$(ss -ltnH "( sport = :$FEED_PORT )" | awk '{print $4}')" = "127.0.0.1:$FEED_PORT" ] ||
    fail "not listening on 127.0.0.1 only: $(ss -ltnH "( sport = :$FEED_PORT )")"
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
read -r vx vy vw vh < <(geometry "$VISITOR_ID")
click_at $((vx + vw / 2)) $((vy + vh * 4 / 100)) # team name
xdotool key ctrl+a type '<img src=x onerror=alert(1)>'
wait_for "the team name in the page" true_in_page "document.querySelectorAll('h1')[1].textContent \
  === '<img src=x onerror=alert(1)>' && !document.querySelector('img')"

state=$(curl -sf "$FEED_URL/state.json")
for part in '"players":[{"fouls":null,"name":"<b>x</b>","number":23,"points":17}' \
    '"name":"<img src=x onerror=alert(1)>"'; do grep -qF "$part" <<<"$state" || fail "state: $state"; done
[ "$(curl -s -o /dev/null -w '%{http_code}' -X POST -d x "$FEED_URL/")" = 405 ] || fail "POST served"

wd url "{\"url\":\"$FEED_URL/?team=home&transparent=1\"}" >/dev/null
wait_for "one team, no background" true_in_page "document.querySelectorAll('.board').length === 1 \
  && document.querySelector('h1').textContent === 'Home Team' \
  && document.documentElement.classList.contains('transparent')"

# The options dialog's OK: the fouls column off reaches the page.
click_at $((x + w * 24 / 100)) $((y + h - 8))
xdotool key F2
wait_for "the options dialog" shown Options
read -r ox oy _ < <(geometry "$(window_id Options)")
xdotool key ctrl+Tab
click_at $((ox + 60)) $((oy + 120)) # Player Fouls
xdotool key Return
wait_for "the page without fouls" true_in_page "document.querySelectorAll('.titles .title').length === 3"
echo PASS
