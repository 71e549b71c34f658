# shellcheck shell=bash
# Sourced by the feed's benchmarks, after tests/e2e/lib.sh: the program's idle
# costs and the time from Enter in the home scoreboard to a viewer.

# idle <seconds>: "<cpu %> <rss kB>" of the program over the next <seconds>.
idle() {
    local ticks0 ticks1
    ticks0=$(awk '{print $14 + $15}' "/proc/$TV_PID/stat")
    sleep "$1"
    ticks1=$(awk '{print $14 + $15}' "/proc/$TV_PID/stat")
    echo "$(awk -v t=$((ticks1 - ticks0)) -v hz="$(getconf CLK_TCK)" -v s="$1" \
        'BEGIN {printf "%.2f", 100 * t / hz / s}') $(awk '/VmRSS/ {print $2}' "/proc/$TV_PID/status")"
}

# watch_returns: from now on, the time in ms each Return reaches the home
# window (when the X server hands it over; xdotool's own start-up does not
# count) is a line of $E2E_TMP/returns.
watch_returns() {
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
    read -r x y w h < <(geometry "$HOME_ID")
    click_at $((x + w * 24 / 100)) $((y + h - 8)) # name box
}
returns() { wc -l <"$E2E_TMP/returns"; }

# latency <edits> <name prefix> <arrival command>: types <prefix>1, <prefix>2 ...
# into the name box with Enter; <arrival command> <name> prints the time in ms
# that name reached the viewer, once it has. Prints the median and the 95th
# percentile of the delays.
latency() {
    local edits=$1 prefix=$2 i seen arrived
    : >"$E2E_TMP/latency"
    for ((i = 1; i <= edits; i++)); do
        xdotool key ctrl+a type "$prefix$i"
        seen=$(returns)
        xdotool key Return
        wait_for "Return $i" eval '(($(returns) > seen))'
        wait_for "edit $i at the viewer" eval "arrived=\$($3 $prefix$i) && [ -n \"\$arrived\" ]"
        echo $((arrived - $(tail -n 1 "$E2E_TMP/returns"))) >>"$E2E_TMP/latency"
    done
    sort -n "$E2E_TMP/latency" | awk '{v[NR] = $1}
        END {print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2), v[int(0.95 * NR + 0.999)]}'
}
