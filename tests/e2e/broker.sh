#!/usr/bin/env bash
# The live feed through a real Mosquitto broker: a subscriber gets the retained
# state on connecting and every edit after; the broker stopped and started
# again during the game gets the state again; the program killed leaves the
# offline state (its last will), and so does a normal close; with no broker
# answering the scoreboards work as always; over TLS, with a user name and a
# password, the state arrives from a broker whose certificate the given
# authority signed. Brokers are named by address: a fresh machine may not
# resolve "localhost".
# shellcheck source-path=SCRIPTDIR
source "$(dirname "$0")/lib.sh" "$1"
start_x
read -r BROKER DEAD PAGE SECURE <<<"$(free_ports 4 | tr '\n' ' ')"
TOPIC=tallyvane/scoreboard
PATH=$PATH:/usr/sbin
printf 'listener %s 127.0.0.1\nallow_anonymous true\npersistence false\nuser %s\n' \
    "$BROKER" "$(id -un)" >"$E2E_TMP/mosquitto.conf"
start_broker() {
    mosquitto -c "$E2E_TMP/mosquitto.conf" >>"$E2E_TMP/mosquitto.log" 2>&1 &
    BROKER_PID=$!
    E2E_PIDS+=("$BROKER_PID")
    wait_for "the broker" eval "ss -ltnH '( sport = :$BROKER )' | grep -q LISTEN"
}
# retained: the message a new subscriber gets at once.
retained() { mosquitto_sub -h 127.0.0.1 -p "$BROKER" -t "$TOPIC" -C 1 -W 2 2>/dev/null; }
retained_has() { retained | grep -qF "$1"; }
type_name() { # <name>: into the home scoreboard's first row, with Enter
    read -r x y w h < <(geometry "$HOME_ID")
    click_at $((x + w * 24 / 100)) $((y + h - 8))
    xdotool key ctrl+a type "$1"
    xdotool key Return
}

start_broker
printf '[Feed]\nBroker=127.0.0.1:%s\n' "$BROKER" >"$STORE"
open_scoreboards
wait_for "the retained state" retained_has '"name":"Home Team"'
mosquitto_sub -h 127.0.0.1 -p "$BROKER" -t "$TOPIC" >"$E2E_TMP/seen" 2>&1 &
E2E_PIDS+=($!)
wait_for "the subscriber" test -s "$E2E_TMP/seen"
type_name Kim
wait_for "the edit at the subscriber" grep -qF '"name":"Kim"' "$E2E_TMP/seen"

kill "$BROKER_PID"
wait "$BROKER_PID" 2>/dev/null || true
type_name Lee
start_broker
wait_for "the state again after the broker's return" retained_has '"name":"Lee"'

kill -KILL "$TV_PID"
wait_for "the last will" retained_has '{"online":false}'

open_scoreboards
wait_for "the state once more" retained_has '"name":"Name"'
wmctrl -ic "$VISITOR_ID"
wait_for_exit
wait_for "the offline state after a normal close" retained_has '{"online":false}'

# No broker answers: the scoreboards and the page feed work as always.
printf '[Feed]\nBroker=127.0.0.1:%s\nPort=%s\n' "$DEAD" "$PAGE" >"$STORE"
open_scoreboards
type_name Max
wait_for "the edit in the page feed" eval "curl -sf http://127.0.0.1:$PAGE/state.json | grep -qF '\"name\":\"Max\"'"
grep -qi 'cannot' "$E2E_TMP/tallyvane.log" && fail "a message about the broker"
wmctrl -ic "$VISITOR_ID"
wait_for_exit

tls=$E2E_TMP/tls
mkdir "$tls"
openssl req -x509 -newkey rsa:2048 -nodes -keyout "$tls/ca.key" -out "$tls/ca.crt" -days 1 \
    -subj '/CN=Hall' 2>/dev/null
openssl req -newkey rsa:2048 -nodes -keyout "$tls/broker.key" -out "$tls/broker.csr" \
    -subj '/CN=127.0.0.1' 2>/dev/null
openssl x509 -req -in "$tls/broker.csr" -CA "$tls/ca.crt" -CAkey "$tls/ca.key" -CAcreateserial \
    -out "$tls/broker.crt" -days 1 -extfile <(echo subjectAltName=IP:127.0.0.1) 2>/dev/null
mosquitto_passwd -b -c "$tls/passwd" scorer 'se cret' 2>/dev/null
printf 'listener %s 127.0.0.1\npassword_file %s\nuser %s\ncafile %s\ncertfile %s\nkeyfile %s\n' \
    "$SECURE" "$tls/passwd" "$(id -un)" "$tls/ca.crt" "$tls/broker.crt" "$tls/broker.key" \
    >"$E2E_TMP/mosquitto.conf"
BROKER=$SECURE
start_broker
printf '[Feed]\nBroker=127.0.0.1:%s\nBrokerTls=1\nBrokerCaFile=%s\nUser=scorer\nPassword=se cret\n' \
    "$SECURE" "$tls/ca.crt" >"$STORE"
open_scoreboards
retained() {
    mosquitto_sub -h 127.0.0.1 -p "$SECURE" --cafile "$tls/ca.crt" -u scorer -P 'se cret' -t "$TOPIC" \
        -C 1 -W 2 2>/dev/null
}
wait_for "the state over TLS, with a password" retained_has '"name":"Home Team"'
echo PASS
