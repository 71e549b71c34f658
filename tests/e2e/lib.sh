# shellcheck shell=bash
# Sourced by the end-to-end scripts: a private X server with a window manager,
# the program under test with an empty settings store, and helpers that wait
# for what it shows. Every process started here is stopped on exit.
#
#   source "$(dirname "$0")/lib.sh" "$1"     # $1: the tallyvane binary
set -euo pipefail

TV_BIN=$(realpath "${1:?usage: $0 <path to tallyvane>}")
E2E_TMP=$(mktemp -d)
E2E_PIDS=()
TV_PID=
# How long anything the program shows may take to appear on a loaded machine.
E2E_DEADLINE=${E2E_DEADLINE:-30}

export XDG_RUNTIME_DIR=$E2E_TMP/runtime
export XDG_CONFIG_HOME=$E2E_TMP/config
mkdir -m 700 "$XDG_RUNTIME_DIR"
mkdir "$XDG_CONFIG_HOME"
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
    if [ -s "$E2E_TMP/tallyvane.log" ]; then
        echo "--- program output ---" >&2
        cat "$E2E_TMP/tallyvane.log" >&2
    fi
    exit 1
}

# wait_for <seconds> <what> <command...>: runs the command until it succeeds;
# fails the test with <what> when the deadline passes first.
wait_for() {
    local seconds=$1 what=$2
    shift 2
    local deadline=$((SECONDS + seconds))
    until "$@" >/dev/null 2>&1; do
        ((SECONDS < deadline)) || fail "timed out waiting for $what"
        sleep 0.05
    done
}

# Starts Xvfb on a free display (it picks and reports the number) and openbox.
# The screen is 1280x1024x24 unless E2E_SCREEN gives another WIDTHxHEIGHTxDEPTH.
start_x() {
    exec {fd}>"$E2E_TMP/display"
    Xvfb -displayfd "$fd" -screen 0 "${E2E_SCREEN:-1280x1024x24}" -noreset -nolisten tcp \
        >"$E2E_TMP/xvfb.log" 2>&1 &
    E2E_PIDS+=($!)
    exec {fd}>&-
    wait_for 30 "the X server" test -s "$E2E_TMP/display"
    DISPLAY=":$(tr -d '\n' <"$E2E_TMP/display")"
    export DISPLAY
    # Every window ever created on the screen, with its size, from before the
    # program starts: tells whether a window was shown at all.
    xev -root -event substructure >"$E2E_TMP/created.log" 2>/dev/null &
    E2E_PIDS+=($!)
    openbox --sm-disable >"$E2E_TMP/openbox.log" 2>&1 &
    E2E_PIDS+=($!)
    wait_for 30 "the window manager" wmctrl -m
}

# start_tallyvane [arguments...]: starts the program; TV_PID is its process.
# shellcheck disable=SC2120 # the arguments are optional
start_tallyvane() {
    (cd "$E2E_TMP" && exec "$TV_BIN" "$@") >"$E2E_TMP/tallyvane.log" 2>&1 &
    TV_PID=$!
    E2E_PIDS+=("$TV_PID")
}

tallyvane_running() { kill -0 "$TV_PID" 2>/dev/null; }

# Ends the program from outside, for scripts that start it more than once.
stop_tallyvane() {
    kill "$TV_PID" 2>/dev/null || true
    wait "$TV_PID" 2>/dev/null || true
}

# Waits for the program to end by itself and checks that it ended well.
# shellcheck disable=SC2120 # the deadline is optional
wait_for_exit() {
    wait_for "${1:-30}" "the program to exit" eval '! tallyvane_running'
    local status=0
    wait "$TV_PID" || status=$?
    [ "$status" -eq 0 ] || fail "the program exited with status $status"
}

# Mapped windows whose WM_WINDOW_ROLE is <role>: the program names each of its
# windows this way (frmSplash, frmScoreboardH, frmScoreboardV).
windows_with_role() {
    local id
    for id in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
        xprop -id "$id" WM_WINDOW_ROLE 2>/dev/null | grep -qx "WM_WINDOW_ROLE(STRING) = \"$1\"" &&
            echo "$id"
    done
    return 0
}

# window_id <title>: the one mapped window whose title is exactly <title>
# (trailing blanks count); prints nothing and fails when there is none.
window_id() {
    local id found=
    for id in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
        if [ "$(xdotool getwindowname "$id" 2>/dev/null)" = "$1" ] &&
            ! xprop -id "$id" WM_WINDOW_ROLE 2>/dev/null | grep -q frmSplash; then
            found=$id
        fi
    done
    [ -n "$found" ] && echo "$found"
}

window_shown() { [ -n "$(window_id "$1")" ]; }
splash_id() { windows_with_role frmSplash | head -n1; }
splash_shown() { [ -n "$(splash_id)" ]; }

# Whether a window of exactly <width>x<height> pixels was ever created.
window_ever_created() { grep -q "width $1, height $2," "$E2E_TMP/created.log"; }

active_window() { xdotool getactivewindow 2>/dev/null; }
is_active() { [ "$(active_window)" = "$1" ]; }
# is_active_titled <title>: the window of that exact title has the focus.
is_active_titled() { is_active "$(window_id "$1")"; }

# The top-most of the program's windows, by the window manager's stacking.
topmost_of() {
    local stack id
    stack=$(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //; s/,//g')
    local top=
    for id in $stack; do
        for want in "$@"; do
            [ $((id)) -eq $((want)) ] && top=$want
        done
    done
    echo "$top"
}

# Left-clicks at absolute screen coordinates.
click_at() { xdotool mousemove --sync "$1" "$2" click 1; }

# Screen position and size of a window's client area: "x y width height".
client_geometry() {
    xwininfo -id "$1" |
        awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
             /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}'
}

client_size_is() { [ "$(client_geometry "$1" | cut -d' ' -f3-)" = "$2" ]; }

# pixel_of <window> <x> <y>: the colour at a client point, as #rrggbb.
pixel_of() {
    import -silent -window "$1" -crop "1x1+$2+$3" -depth 8 txt:- 2>/dev/null |
        grep -o '#[0-9A-Fa-f]\{6\}' | head -n1
}
