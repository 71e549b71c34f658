#!/usr/bin/env bash
# The MQTT feed's costs through a real Mosquitto on a private Xvfb:
# - Enter to the last of <subscribers> subscribers (bench/broker_subscribers.cpp,
#   all in one process): median and 95th percentile of <edits> edits.
# - With the subscribers connected and nothing changing: the program's CPU
#   share over <seconds> seconds and its resident memory, against the same with
#   the feed off.
#
#   bench/bench_broker.sh <tallyvane binary> [subscribers] [edits] [seconds]   (defaults: 1000 40 30)
set -euo pipefail
subscribers=${2:-1000} edits=${3:-40} seconds=${4:-30}
# shellcheck source-path=SCRIPTDIR
source "$(dirname "$0")/../tests/e2e/lib.sh" "$1"
# shellcheck source-path=SCRIPTDIR
source "$(dirname "$0")/measure.sh"
start_x
PATH=$PATH:/usr/sbin

open_scoreboards
sleep 2 # the first options refresh
read -r off_cpu off_rss < <(idle "$seconds")
stop_tallyvane

BROKER=$(free_ports 1)
printf 'listener %s 127.0.0.1\nallow_anonymous true\npersistence false\nuser %s\nmax_queued_messages 100\n' \
    "$BROKER" "$(id -un)" >"$E2E_TMP/mosquitto.conf"
(ulimit -n "$((subscribers + 100))" && exec mosquitto -c "$E2E_TMP/mosquitto.conf") \
    >"$E2E_TMP/mosquitto.log" 2>&1 &
E2E_PIDS+=($!)
wait_for "the broker" eval "ss -ltnH '( sport = :$BROKER )' | grep -q LISTEN"
"$(dirname "$TV_BIN")/broker_subscribers" "$BROKER" "$subscribers" tallyvane/scoreboard \
    >"$E2E_TMP/arrivals" 2>"$E2E_TMP/subscribers.log" &
E2E_PIDS+=($!)
wait_for "the subscribers" grep -q connected "$E2E_TMP/subscribers.log"

printf '[Feed]\nBroker=127.0.0.1:%s\n' "$BROKER" >"$STORE"
open_scoreboards
arrived() { awk -v n="$1" '$1 == n {print $2}' "$E2E_TMP/arrivals"; }
watch_returns
read -r median p95 < <(latency "$edits" p arrived)
sleep 2
read -r on_cpu on_rss < <(idle "$seconds")

echo "Machine: $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg)"
echo "Enter to the last of $subscribers subscribers, $edits edits: median $median ms, 95th percentile $p95 ms"
echo "Idle over $seconds s, feed off: CPU $off_cpu %, resident $off_rss kB"
echo "Idle over $seconds s, broker on: CPU $on_cpu %, resident $on_rss kB"
