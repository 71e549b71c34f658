#!/usr/bin/env bash
# Game day. A roster typed in LibreOffice and saved as CSV loads at the start
# (--visitor); players typed into the home window go into the box score (Ctrl+P;
# its PDF read back with pdftotext, its CSV's lines are test_game's); the home
# roster saved with Ctrl+S loads into the visitor window through its context
# menu; the game, killed with SIGKILL, comes back whole after Yes. The board is
# read through the live feed's /state.json. What a normal close leaves is
# test_game's.
# shellcheck source-path=SCRIPTDIR
source "$(dirname "$0")/lib.sh" "$1"
export GAME_STATE=$E2E_TMP/state

cat >"$E2E_TMP/ravens.html" <<'EOF'
<html><head><meta charset="utf-8"></head><body><table>
<tr><td>Team</td><td>Name</td><td>Number</td></tr><tr><td>Ravens</td><td>Zoë</td><td>7</td></tr>
<tr><td>Ravens</td><td>Bo Li</td><td>12</td></tr></table></body></html>
EOF
soffice -env:UserInstallation="file://$E2E_TMP/office" --headless --infilter="HTML (StarCalc)" \
    --convert-to 'csv:Text - txt - csv (StarCalc):44,34,76' --outdir "$E2E_TMP" \
    "$E2E_TMP/ravens.html" >"$E2E_TMP/office.log" 2>&1 || fail "LibreOffice: $(cat "$E2E_TMP/office.log")"

start_x
PORT=$(free_ports 1)
printf '[Feed]\nPort=%s\n' "$PORT" >"$STORE"
state() { curl -sf "http://127.0.0.1:$PORT/state.json"; }
has() { state | grep -qF "$1"; }
start_game() { # [arguments...]: the scoreboards and the feed
    start_tallyvane "$@" bypass
    wait_for "the scoreboards" eval 'shown "Tallyvane " && shown "Tallyvane"'
    HOME_ID=$(window_id "Tallyvane ") VISITOR_ID=$(window_id "Tallyvane")
    wait_for "the feed" state
}
start_game --visitor "$E2E_TMP/ravens.csv"
wait_for "the LibreOffice roster" has '"name":"Ravens","players":[{"fouls":null,"name":"Zoë","number":7,"points":null},{"fouls":null,"name":"Bo Li","number":12,'

read -r x y w h < <(geometry "$HOME_ID")
name_box() { click_at $((x + w * 24 / 100)) $((y + h - 8)); }
edit_row() { # <row> <name> <number> <fouls> <points>
    click_at $((x + w / 2)) $((y + h * 17 / 100 + $1 * h * 16 / 100 + h * 8 / 100))
    name_box
    xdotool key ctrl+a type "$2"
    for value in "${@:3}"; do xdotool key Tab ctrl+a type "$value"; done
    xdotool key Return
}
click_at $((x + w / 2)) $((y + h * 4 / 100)) # the team name
xdotool key ctrl+a type Kestrels
edit_row 0 '=Ann' 23 4 17
edit_row 1 Cy 5 1 9
wait_for "the players" has '{"fouls":1,"name":"Cy","number":5,"points":9}'

choose() { # <path> <key>...: the keys open a file chooser, which is given the path
    xdotool key "${@:2}"
    wait_for "a file chooser" eval 'shown "Save As" || shown Open'
    xdotool key ctrl+a type "$1"
    xdotool key Return
    wait_for "the chooser to close" eval '! shown "Save As" && ! shown Open'
}
choose "$E2E_TMP/box" ctrl+p
wait_for "the export's message" shown "Export Game"
xdotool key Return
pdf=$(pdftotext -layout "$E2E_TMP/box.pdf" -)
for words in 'Kestrels vs Ravens' '=Ann +23 +4 +17' 'Team total +5 +26' 'Zoë +7' 'Visitor: Ravens'; do
    grep -qE "$words" <<<"$pdf" || fail "box score PDF without $words: $pdf"
done

choose "$E2E_TMP/kestrels.csv" ctrl+s
read -r vx vy vw vh < <(geometry "$VISITOR_ID")
windows() { xdotool search --onlyvisible --class tallyvane | wc -l; }
before=$(windows)
xdotool mousemove --sync $((vx + vw / 2)) $((vy + vh / 2)) click 3
wait_for "the context menu" at_least $((before + 1)) windows
choose "$E2E_TMP/kestrels.csv" Down Down Return # Load roster…
wait_for "the roster in the visitor window" has '"visitor":{"name":"Kestrels","players":[{"fouls":null,"name":"=Ann","number":23,"points":null}'

wait_for "the kept game" grep -qF '"visitor":{"name":"Kestrels"' "$GAME_STATE/Tallyvane/game.json"
board=$(state)
kill -KILL "$TV_PID"
wait "$TV_PID" 2>/dev/null || true
start_game
wait_for "the question to restore" shown "Restore Game"
xdotool key Return # Yes
same_board() { [ "$(state)" = "$board" ]; }
wait_for "every value back" same_board

wmctrl -ic "$VISITOR_ID"
wait_for_exit
echo PASS
