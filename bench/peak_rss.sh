#!/usr/bin/env bash
# The real program's peak resident memory (VmHWM) after a default Graph and
# after a hundred million passes (1 mm out to 100 km), each in a program of
# its own, on a virtual X server with a window manager. What the plot surface
# keeps of its drawing must not grow with the passes.
# Usage: xvfb-run -a bash bench/peak_rss.sh PROGRAM
set -euo pipefail
title='Quarnel Labs - Aurisplot'
program=$1

source "$(dirname "${BASH_SOURCE[0]}")/../scripts/on_x_server.sh"
pid=
manager=
trap 'end_processes $pid $manager' EXIT

icewm >/dev/null 2>&1 &
manager=$!
xdotool search --sync --onlyvisible --classname '^icewm$' >/dev/null

# Starts the program, graphs with Text4 and the resolution list as given, and
# prints its peak resident memory in kB once the title shows the result.
peak_after_graph() {
    local distance=$1 downs=$2 range=$3 window
    "$program" 2>/dev/null &
    pid=$!
    window=$(timeout 20 xdotool search --sync --onlyvisible --name "^$title\$" | head -n 1)
    xdotool windowfocus --sync "$window"
    # --sync waits for the pointer to move, so it must not be there already.
    xdotool mousemove 1 1
    xdotool mousemove --sync --window "$window" 504 361 click 1  # Text4
    xdotool key --clearmodifiers ctrl+a
    xdotool type --delay 20 "$distance"
    xdotool key Tab
    for ((i = 0; i < downs; i++)); do
        xdotool key Down
    done
    xdotool key alt+g
    timeout 600 xdotool search --sync --name "^$title - \[MPE range is ~$range\]\$" >/dev/null
    awk '/^VmHWM:/ {print $2}' "/proc/$pid/status"
    end_processes "$pid"
    pid=
}

default=$(peak_after_graph 10 0 2m)
long=$(peak_after_graph 100000 2 1m)
printf '%-12s %-40s %8d kB  (%d kB / %d kB)\n' "[xcb]" \
    "peak RSS, 1 mm D100000 minus default" $((long - default)) "$long" "$default"
