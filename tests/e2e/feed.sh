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

port=$((20000 + RANDOM % 20000)) url=http://127.0.0.1:$port
printf '[Feed]\nPort=%s\n' "$port" >"$STORE"
open_scoreboards
wait_for "the feed" curl -sf "$url/state.json"

# The browser, driven through chromedriver's WebDriver interface.
driver=http://127.0.0.1:$((port + 1))
chromedriver --port=$((port + 1)) >"$E2E_TMP/chromedriver.log" 2>&1 &
E2E_PIDS+=($!)
wait_for "chromedriver" curl -sf "$driver/status"
flags='"--headless","--no-sandbox","--disable-gpu","--disable-background-networking",
  "--disable-component-update","--disable-sync","--no-first-run","--user-data-dir='$E2E_TMP/chromium'"'
session=$(curl -sf "$driver/session" -d '{"capabilities":{"alwaysMatch":{"goog:chromeOptions":
  {"binary":"/usr/bin/chromium","args":['"$flags"']}}}}' | sed -n 's/.*"sessionId":"\([^"]*\)".*/\1/p')
trap 'curl -s -X DELETE "$driver/session/$session" >/dev/null; e2e_cleanup' EXIT
wd() { curl -sf "$driver/session/$session/$1" -d "$2"; }
# true <expression>: the page holds it true.
true_in_page() { [ "$(wd execute/sync "{\"script\":\"return $1\",\"args\":[]}")" = '{"value":true}' ]; }
wd url "{\"url\":\"$url/\"}" >/dev/null
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

state=$(curl -sf "$url/state.json")
for part in '"players":[{"fouls":null,"name":"<b>x</b>","number":23,"points":17}' \
    '"name":"<img src=x onerror=alert(1)>"'; do grep -qF "$part" <<<"$state" || fail "state: $state"; done
[ "$(curl -s -o /dev/null -w '%{http_code}' -X POST -d x "$url/")" = 405 ] || fail "POST served"
echo PASS
