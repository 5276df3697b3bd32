#!/usr/bin/env bash
# Drives the real program on an X server (run under xvfb-run -a) with a window
# manager, as a user would: types into the fields, picks "1 cm", graphs with
# Alt+G, reads the result in the title and ends with Alt+X; then ends a long
# sweep in its middle. The same for every build of the program: the command
# given starts it (under Wine, the Windows one).
# Usage: end_to_end.sh COMMAND [ARGUMENTS...]
set -euo pipefail
title='Quarnel Labs - Aurisplot'

source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/on_x_server.sh"
pid=
manager=
trap 'end_processes $pid $manager' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

command -v xdotool >/dev/null || fail "xdotool missing (package xdotool)"
command -v icewm >/dev/null || fail "icewm missing (package icewm)"
command -v wmctrl >/dev/null || fail "wmctrl missing (package wmctrl)"
# The manager first, and ready (its task bar is up), so that it handles the
# program's window from the start.
icewm >/dev/null 2>&1 &
manager=$!
xdotool search --sync --onlyvisible --classname '^icewm$' >/dev/null

# Starts the program and waits for its window; sets $pid and $window.
start() {
    "$@" &
    pid=$!
    # Searched again until it shows (20 s at the most): a search fails outright
    # when a window it looks at goes in the meantime, as the last run's may.
    window=
    for _ in $(seq 200); do
        window=$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | head -n 1) || true
        [ -n "$window" ] && break
        sleep 0.1
    done
    [ -n "$window" ] || fail "no window appeared"
    xdotool windowfocus --sync "$window"
}

# Clicks into a control at client pixel (x, y) and replaces its text.
type_into() {
    # --sync waits for the pointer to move, so it must not be there already.
    xdotool mousemove 1 1
    xdotool mousemove --sync --window "$window" "$1" "$2" click 1
    xdotool key --clearmodifiers ctrl+a
    xdotool type --delay 20 "$3"
}

# Waits (20 s at the most) for the program to end and checks its exit status.
expect_clean_end() {
    local status=0 tick
    for tick in $(seq 2000); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.01
    done
    kill -0 "$pid" 2>/dev/null && fail "$1: still running after 20 s"
    wait "$pid" || status=$?
    pid=
    [ "$status" -eq 0 ] || fail "$1: exit status $status"
}

# 2000 W at 3 dBi first falls below the limit at 2.53 m in 1 cm steps (3 m in 1 m steps).
start "$@"
type_into 104 393 2000  # Text1
type_into 104 417 3     # Text2
xdotool key Tab Tab Tab Down  # Text3, Text4, Combo1: "1 m" -> "1 cm"
xdotool key alt+g
timeout 30 xdotool search --sync --name "^$title - \[MPE range is ~2m\]\$" >/dev/null ||
    fail "final title: $(xdotool getwindowname "$window")"
xdotool key alt+x
expect_clean_end "Alt+X"

# A sweep of a thousand million steps (1 mm out to 1000 km), ended while it
# runs: by Alt+X, and by the window manager's close. It lasts many seconds
# even at the engine's own speed, so that its progress shows in the title well
# before it would end by itself. Each ends
# promptly with status 0; the time from the request to the end of the process
# is reported.
for way in alt+x close; do
    latencies=()
    for run in 1 2 3 4 5; do
        start "$@"
        type_into 504 361 1000000     # Text4
        xdotool key Tab Down Down     # Combo1: "1 mm"
        xdotool key alt+g
        timeout 30 xdotool search --sync --name "^$title - \[[0-9]+%\]\$" >/dev/null ||
            fail "no progress in the title"
        begin=$(date +%s%N)
        if [ "$way" = close ]; then
            wmctrl -i -c "$window"
        else
            xdotool key alt+x
        fi
        expect_clean_end "$way during the sweep (run $run)"
        latencies+=($(( ($(date +%s%N) - begin) / 1000000 )))
    done
    median=$(printf '%s\n' "${latencies[@]}" | sort -n | sed -n 3p)
    echo "$way during a sweep: ended after ${latencies[*]} ms, median $median ms"
done
echo "end-to-end: passed"
