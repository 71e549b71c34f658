# shellcheck shell=bash
# Sourced by the end-to-end scenarios: a private X server with a window
# manager, the program under test with its own settings store, waits with a
# deadline, and the end of every process started here.
#
#   source "$(dirname "$0")/lib.sh" "$1"     # $1: the tallyvane binary
set -euo pipefail

TV_BIN=$(realpath "${1:?usage: $0 <path to tallyvane>}")
E2E_TMP=$(mktemp -d)
E2E_PIDS=()
TV_PID=
# How long anything may take to show on a loaded machine.
DEADLINE=${E2E_DEADLINE:-30}
export XDG_RUNTIME_DIR=$E2E_TMP/runtime XDG_CONFIG_HOME=$E2E_TMP/config
STORE=$XDG_CONFIG_HOME/Tallyvane/Tallyvane.conf
mkdir -m 700 "$XDG_RUNTIME_DIR"
mkdir -p "$(dirname "$STORE")"
unset WAYLAND_DISPLAY QT_QPA_PLATFORM

e2e_cleanup() {
    local i
    for ((i = ${#E2E_PIDS[@]} - 1; i >= 0; i--)); do
        kill "${E2E_PIDS[i]}" 2>/dev/null || true
        wait "${E2E_PIDS[i]}" 2>/dev/null || true
    done
    rm -rf "$E2E_TMP"
}
trap e2e_cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    [ ! -s "$E2E_TMP/tallyvane.log" ] || { echo "--- program output:" && cat "$E2E_TMP/tallyvane.log"; } >&2
    # The program's state and the windows shown, for a failure seen only once.
    [ -z "$TV_PID" ] || { ps -o stat=,etime=,wchan=,args= -p "$TV_PID" || echo "the program has ended"; xdotool search --onlyvisible --name '' | xargs -rn1 xdotool getwindowname; } >&2 2>/dev/null
    exit 1
}

# wait_for <what> <command...>: runs the command until it succeeds, or fails
# the scenario with <what> when the deadline passes first.
wait_for() {
    local what=$1 deadline=$((SECONDS + DEADLINE))
    shift
    until "$@" >/dev/null 2>&1; do
        ((SECONDS < deadline)) || fail "timed out waiting for $what"
        sleep 0.05
    done
}

# Xvfb on a display it picks itself (1280x1024, or E2E_SCREEN), a log of every
# window ever created (to tell whether one was shown at all), and openbox.
start_x() {
    exec {fd}>"$E2E_TMP/display"
    Xvfb -displayfd "$fd" -screen 0 "${E2E_SCREEN:-1280x1024x24}" -noreset -nolisten tcp \
        >"$E2E_TMP/xvfb.log" 2>&1 &
    E2E_PIDS+=($!)
    exec {fd}>&-
    wait_for "the X server" test -s "$E2E_TMP/display"
    DISPLAY=":$(tr -d '\n' <"$E2E_TMP/display")"
    export DISPLAY
    xev -root -event substructure >"$E2E_TMP/created.log" 2>/dev/null &
    E2E_PIDS+=($!)
    openbox --sm-disable >"$E2E_TMP/openbox.log" 2>&1 &
    E2E_PIDS+=($!)
    wait_for "the window manager" wmctrl -m
}

# start_tallyvane [arguments...]: from a folder of its own; TV_PID is its process.
# Each start keeps its game in a state folder of its own, as on a fresh
# machine, unless GAME_STATE names one that starts share.
start_tallyvane() {
    local state=${GAME_STATE:-$(mktemp -d "$E2E_TMP/state.XXXXXX")}
    (cd "$E2E_TMP" && XDG_STATE_HOME=$state exec "$TV_BIN" "$@") >"$E2E_TMP/tallyvane.log" 2>&1 &
    TV_PID=$!
    E2E_PIDS+=("$TV_PID")
}

running() { kill -0 "$TV_PID" 2>/dev/null; }
stop_tallyvane() { kill "$TV_PID" 2>/dev/null || true; wait "$TV_PID" 2>/dev/null || true; }

# The program ends by itself, with status 0.
wait_for_exit() {
    wait_for "the program to end" eval '! running'
    wait "$TV_PID" || fail "the program ended with status $?"
}

is_splash() { xprop -id "$1" WM_WINDOW_ROLE 2>/dev/null | grep -q '"frmSplash"'; }
splash_id() {
    local id
    for id in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
        is_splash "$id" && echo "$id" && return
    done
    return 1
}

# window_id <title>: the mapped window titled exactly so (trailing blanks count).
window_id() {
    local id
    for id in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
        [ "$(xdotool getwindowname "$id")" = "$1" ] && ! is_splash "$id" && echo "$id" && return
    done
    return 1
}
shown() { window_id "$1" >/dev/null; }
gone() { ! shown "$1"; }
is_active() { [ "$(xdotool getactivewindow 2>/dev/null)" = "$1" ]; }

# Starts with "bypass" and waits for both scoreboards, the home one active; HOME_ID and VISITOR_ID are their windows.
open_scoreboards() {
    start_tallyvane bypass
    wait_for "the scoreboards" eval 'shown "Tallyvane " && shown "Tallyvane"'
    # shellcheck disable=SC2034 # for the scenarios
    HOME_ID=$(window_id "Tallyvane ") VISITOR_ID=$(window_id "Tallyvane")
    wait_for "the home window to be active" is_active "$HOME_ID"
}

# Client area on the screen: "x y width height".
geometry() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
        /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}'
}

# (A move --sync to where the pointer already is would wait for a motion that never comes.)
click_at() {
    [ "$(xdotool getmouselocation | cut -d' ' -f1-2)" = "x:$1 y:$2" ] || xdotool mousemove --sync "$1" "$2"
    xdotool click 1
}

# shot <window> <w>x<h>+<x>+<y>: that part of the client area as text pixels.
shot() { import -silent -window "$1" -crop "$2" +repage -depth 8 txt:- 2>/dev/null | tail -n +2; }
pixel_of() { shot "$1" "1x1+$2+$3" | grep -o '#[0-9A-F]\{6\}'; }
# Pixels of a colour (#RRGGBB) in a part of a window.
count_colour() { shot "$1" "$2" | grep -c "$3" || true; }
# Pixels darker than mid-grey in a part of a window (text on a light ground).
count_dark() {
    import -silent -window "$1" -crop "$2" +repage miff:- 2>/dev/null |
        convert - -colorspace gray -threshold 50% -negate -format '%[fx:int(mean*w*h+0.5)]' info:
}
# at_least <n> <command...>: the number the command prints is n or more.
at_least() { local n; n=$("${@:2}") && ((n >= $1)); }

# free_ports <n>: n ports the system has just given out as free.
free_ports() { "$(dirname "$TV_BIN")/free_port" "$1"; }

# start_browser: a headless Chromium, which picks its own debugging port, and
# chromedriver on a free port; wd <command> <json> talks to its session. The
# browser is attached by address, so nothing depends on "localhost" resolving.
start_browser() {
    chromium --headless --no-sandbox --disable-gpu --disable-background-networking \
        --disable-component-update --disable-sync --no-first-run --remote-debugging-port=0 \
        --user-data-dir="$E2E_TMP/chromium" about:blank >"$E2E_TMP/chromium.log" 2>&1 & E2E_PIDS+=($!)
    wait_for "the browser" test -s "$E2E_TMP/chromium/DevToolsActivePort"
    local devtools driver_port
    devtools=127.0.0.1:$(head -n 1 "$E2E_TMP/chromium/DevToolsActivePort")
    driver_port=$(free_ports 1)
    DRIVER=http://127.0.0.1:$driver_port
    chromedriver --port="$driver_port" >"$E2E_TMP/chromedriver.log" 2>&1 & E2E_PIDS+=($!)
    wait_for "chromedriver" curl -sf "$DRIVER/status"
    SESSION=$(curl -sf "$DRIVER/session" -d '{"capabilities":{"alwaysMatch":
      {"goog:chromeOptions":{"debuggerAddress":"'"$devtools"'"}}}}' | sed -n 's/.*"sessionId":"\([^"]*\)".*/\1/p')
}
wd() { curl -sf "$DRIVER/session/$SESSION/$1" -d "$2"; }
# in_page <expression>: its value, as WebDriver's JSON gives it; true_in_page: it holds.
in_page() { wd execute/sync "{\"script\":\"return $1\",\"args\":[]}" | sed 's/^{"value":"\{0,1\}\([^"]*\)"\{0,1\}}$/\1/'; }
true_in_page() { [ "$(in_page "$1")" = true ]; }

# start_feed [settings lines]: the scoreboards with the live feed on a free
# port at FEED_URL, and the browser.
start_feed() {
    FEED_PORT=$(free_ports 1) FEED_URL=http://127.0.0.1:$FEED_PORT
    printf '[Feed]\nPort=%s\n%s' "$FEED_PORT" "${1:-}" >"$STORE"
    open_scoreboards
    wait_for "the feed" curl -sf "$FEED_URL/state.json"
    start_browser
}
