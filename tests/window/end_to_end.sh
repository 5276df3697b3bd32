#!/usr/bin/env bash
# Drives the real program on an X server (run under xvfb-run -a) as a user
# would: types into the fields, picks "1 cm", graphs with Alt+G, reads the
# result in the title and ends with Alt+X; then ends a long sweep in its middle.
# Usage: end_to_end.sh path/to/aurisplot
set -euo pipefail
program=$1
title='Quarnel Labs - Aurisplot'

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Starts the program and waits for its window; sets $pid and $window.
start() {
    "$program" &
    pid=$!
    window=$(timeout 20 xdotool search --sync --onlyvisible --name "^$title\$" | head -n 1) ||
        fail "no window appeared"
    xdotool windowfocus --sync "$window"
}

# Clicks into a control at client pixel (x, y) and replaces its text.
type_into() {
    xdotool mousemove --sync --window "$window" "$1" "$2" click 1
    xdotool key --clearmodifiers ctrl+a
    xdotool type --delay 20 "$3"
}

# Waits for the program to end and checks its exit status.
expect_clean_end() {
    local status=0
    timeout 20 tail --pid="$pid" -f /dev/null || fail "$1: still running"
    wait "$pid" || status=$?
    [ "$status" -eq 0 ] || fail "$1: exit status $status"
}

# 2000 W at 3 dBi first falls below the limit at 2.53 m in 1 cm steps (3 m in 1 m steps).
start
type_into 104 393 2000  # Text1
type_into 104 417 3     # Text2
xdotool key Tab Tab Tab Down  # Text3, Text4, Combo1: "1 m" -> "1 cm"
xdotool key alt+g
timeout 30 xdotool search --sync --name "^$title - \[MPE range is ~2m\]\$" >/dev/null ||
    fail "final title: $(xdotool getwindowname "$window")"
xdotool key alt+x
expect_clean_end "Alt+X"

# A sweep of a million steps (1 mm out to 1000 m), ended while it runs.
start
type_into 504 361 1000        # Text4
xdotool key Tab Down Down     # Combo1: "1 mm"
xdotool key alt+g
timeout 30 xdotool search --sync --name "^$title - \[[0-9]+%\]\$" >/dev/null ||
    fail "no progress in the title"
xdotool key alt+x
expect_clean_end "Alt+X during the sweep"
echo "end-to-end: passed"
