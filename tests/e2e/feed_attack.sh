#!/usr/bin/env bash
# The live feed under attack from another computer of the hall (127.0.0.2):
# a thousand connections at a time sending slow, endless, malformed and
# oversized requests, pipelining without reading, and WebSocket pages that
# ping without reading or sit idle. A player typed into the scoreboard still
# reaches the connected page, the program's memory stays bounded, and the feed
# serves afterwards.
# shellcheck source-path=SCRIPTDIR
source "$(dirname "$0")/lib.sh" "$1"
start_x
start_feed
wd url "{\"url\":\"$FEED_URL/\"}" >/dev/null
wait_for "the page" true_in_page "document.body.dataset.renders > 0"
rss() { awk '/VmRSS/ {print $2}' "/proc/$TV_PID/status"; }
before=$(rss)

"$(dirname "$TV_BIN")/feed_attack" "$FEED_PORT" 8 1000 127.0.0.2 >"$E2E_TMP/attack.log" 2>&1 &
ATTACK=$!
E2E_PIDS+=("$ATTACK")
wait_for "the attack to fill its share" eval \
    "(( \$(ss -tnH state established '( sport = :$FEED_PORT and dst 127.0.0.2 )' | wc -l) >= 30 ))"

read -r x y w h < <(geometry "$HOME_ID")
click_at $((x + w * 24 / 100)) $((y + h - 8)) # name box
xdotool key ctrl+a type 'Under'
xdotool key Return
wait_for "the player in the page during the attack" true_in_page \
    "document.querySelector('.row .name').textContent === 'Under'"
most=$before
while running && kill -0 "$ATTACK" 2>/dev/null; do # the most it holds until the attack ends
    now=$(rss) && ((now > most)) && most=$now
    sleep 0.2
done
wait "$ATTACK" || fail "the attack tool failed: $(cat "$E2E_TMP/attack.log")"
# AddressSanitizer keeps freed memory aside on purpose: there only the edit counts.
# (Not grep -q on a pipe: under pipefail, ldd cut off early would read as no.)
[[ $(ldd "$TV_BIN") == *libasan* ]] || ((most - before < 32768)) ||
    fail "the program grew from $before kB to $most kB under attack"
curl -sf "$FEED_URL/state.json" | grep -qF '"name":"Under"' || fail "the feed after the attack"
running || fail "the program ended"
echo "PASS ($(cat "$E2E_TMP/attack.log"); resident $before kB, under attack $most kB)"
