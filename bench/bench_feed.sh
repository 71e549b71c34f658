#!/usr/bin/env bash
# The built-in page's costs, measured through Debian's headless Chromium on a
# private Xvfb:
# - Enter-to-browser latency: a name typed into the home scoreboard's edit
#   line, Enter pressed with xdotool; the clock stops at the page's Date.now()
#   once it has redrawn. Median and 95th percentile of <edits> edits.
# - The same while another computer (127.0.0.2) attacks the feed with a
#   thousand connections (tests/tools/feed_attack.cpp), and the program's
#   resident memory then.
# - With ten pages connected and nothing changing: the program's CPU share over
#   <seconds> seconds and its resident memory, against the same with the feed off.
#
#   bench/bench_feed.sh <tallyvane binary> [edits] [seconds]     (defaults: 40 30)
set -euo pipefail
edits=${2:-40} seconds=${3:-30}
# shellcheck source-path=SCRIPTDIR
source "$(dirname "$0")/../tests/e2e/lib.sh" "$1"
# shellcheck source-path=SCRIPTDIR
source "$(dirname "$0")/measure.sh"
start_x

open_scoreboards
sleep 2 # the first options refresh
read -r off_cpu off_rss < <(idle "$seconds")
stop_tallyvane

start_feed
wd url "{\"url\":\"$FEED_URL/\"}" >/dev/null
wait_for "the page" true_in_page "document.body.dataset.renders > 0"
rendered() { # <name>: when the page showed it
    true_in_page "document.querySelector('.row .name').textContent === '$1'" &&
        in_page document.body.dataset.renderedAt
}
watch_returns
read -r median p95 < <(latency "$edits" p rendered)

"$(dirname "$TV_BIN")/feed_attack" "$FEED_PORT" 600 1000 127.0.0.2 >/dev/null 2>&1 &
attack=$!
E2E_PIDS+=("$attack")
sleep 2
read -r attacked_median attacked_p95 < <(latency "$edits" q rendered)
attacked_rss=$(awk '/VmRSS/ {print $2}' "/proc/$TV_PID/status")
kill "$attack"

for ((i = 2; i <= 10; i++)); do
    handle=$(wd window/new '{"type":"tab"}' | sed -n 's/.*"handle":"\([^"]*\)".*/\1/p')
    wd window "{\"handle\":\"$handle\"}" >/dev/null
    wd url "{\"url\":\"$FEED_URL/\"}" >/dev/null
done
pages() { ss -tnH state established "( sport = :$FEED_PORT )" | wc -l; }
wait_for "ten pages connected" eval '(($(pages) >= 10))'
sleep 2
read -r on_cpu on_rss < <(idle "$seconds")

echo "Machine: $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg)"
echo "Enter to browser, $edits edits: median $median ms, 95th percentile $p95 ms"
echo "The same under attack: median $attacked_median ms, 95th percentile $attacked_p95 ms; resident $attacked_rss kB"
echo "Idle over $seconds s, feed off: CPU $off_cpu %, resident $off_rss kB"
echo "Idle over $seconds s, ten pages: CPU $on_cpu %, resident $on_rss kB ($(pages) connections)"
