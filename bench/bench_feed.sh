#!/usr/bin/env bash
# The live feed's costs, measured through Debian's headless Chromium on a
# private Xvfb:
# - Enter-to-browser latency: a name typed into the home scoreboard's edit
#   line, Enter pressed with xdotool. The clock starts when the X server hands
#   the key to the window (xev, watching it; xdotool's own start-up does not
#   count) and stops at the page's Date.now() once it has redrawn. Median and
#   95th percentile of <edits> edits.
# - With ten pages connected and nothing changing: the program's CPU share over
#   <seconds> seconds and its resident memory, against the same with the feed off.
#
#   bench/bench_feed.sh <tallyvane binary> [edits] [seconds]     (defaults: 40 30)
set -euo pipefail
edits=${2:-40} seconds=${3:-30}
# shellcheck source-path=SCRIPTDIR
source "$(dirname "$0")/../tests/e2e/lib.sh" "$1"
start_x

# idle: "<cpu %> <rss kB>" of the program over the next <seconds>.
idle() {
    local ticks0 ticks1
    ticks0=$(awk '{print $14 + $15}' "/proc/$TV_PID/stat")
    sleep "$seconds"
    ticks1=$(awk '{print $14 + $15}' "/proc/$TV_PID/stat")
    echo "$(awk -v t=$((ticks1 - ticks0)) -v hz="$(getconf CLK_TCK)" -v s="$seconds" \
        'BEGIN {printf "%.2f", 100 * t / hz / s}') $(awk '/VmRSS/ {print $2}' "/proc/$TV_PID/status")"
}

open_scoreboards
sleep 2 # the first options refresh
read -r off_cpu off_rss < <(idle)
stop_tallyvane

start_feed
# in_page <expression>: its value, as WebDriver's JSON gives it.
in_page() { wd execute/sync "{\"script\":\"return $1\",\"args\":[]}" | sed 's/^{"value":"\{0,1\}\([^"]*\)"\{0,1\}}$/\1/'; }
wd url "{\"url\":\"$FEED_URL/\"}" >/dev/null
renders() { in_page "document.body.dataset.renders || 0"; }
wait_for "the page" eval '(($(renders) > 0))'

# The time, in ms, each Return reaches the home window.
stamp_returns() {
    local line pressed=
    while IFS= read -r line; do
        case $line in
        KeyPress*) pressed=${EPOCHREALTIME/./} ;;
        *"(keysym 0xff0d, Return)"*) [ -z "$pressed" ] || echo $((pressed / 1000)) && pressed= ;;
        esac
    done
}
mkfifo "$E2E_TMP/keys"
xev -id "$HOME_ID" -event keyboard >"$E2E_TMP/keys" &
E2E_PIDS+=($!)
stamp_returns <"$E2E_TMP/keys" >"$E2E_TMP/returns" &
E2E_PIDS+=($!)
returns() { wc -l <"$E2E_TMP/returns"; }

read -r x y w h < <(geometry "$HOME_ID")
click_at $((x + w * 24 / 100)) $((y + h - 8)) # name box
: >"$E2E_TMP/latency"
for ((i = 1; i <= edits; i++)); do
    xdotool key ctrl+a type "p$i"
    before=$(renders) seen=$(returns)
    xdotool key Return
    wait_for "Return $i" eval '(($(returns) > seen))'
    wait_for "edit $i in the page" eval '(($(renders) > before))'
    echo $(($(in_page document.body.dataset.renderedAt) - $(tail -n 1 "$E2E_TMP/returns"))) >>"$E2E_TMP/latency"
done
read -r median p95 < <(sort -n "$E2E_TMP/latency" | awk '{v[NR] = $1}
    END {print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2), v[int(0.95 * NR + 0.999)]}')

for ((i = 2; i <= 10; i++)); do
    handle=$(wd window/new '{"type":"tab"}' | sed -n 's/.*"handle":"\([^"]*\)".*/\1/p')
    wd window "{\"handle\":\"$handle\"}" >/dev/null
    wd url "{\"url\":\"$FEED_URL/\"}" >/dev/null
done
pages() { ss -tnH state established "( sport = :$FEED_PORT )" | wc -l; }
wait_for "ten pages connected" eval '(($(pages) >= 10))'
sleep 2
read -r on_cpu on_rss < <(idle)

echo "Machine: $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg)"
echo "Enter to browser, $edits edits: median $median ms, 95th percentile $p95 ms"
echo "Idle over $seconds s, feed off: CPU $off_cpu %, resident $off_rss kB"
echo "Idle over $seconds s, ten pages: CPU $on_cpu %, resident $on_rss kB ($(pages) connections)"
