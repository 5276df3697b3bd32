#!/usr/bin/env bash
# Runs a Windows program under Wine on the X server it is given (under
# xvfb-run), with a window manager, as a desktop has: without one Wine waits
# for a manager's answer each time a window goes, two seconds a window. The
# program, the prefix's processes and the manager end with it, on every way
# out; the status is the program's.
# Usage: on_wine_desktop.sh PREFIX PROGRAM.exe [ARGUMENTS...]
set -uo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/on_x_server.sh"
[ -n "${DISPLAY:-}" ] || { echo "no X server: run under xvfb-run (package xvfb)" >&2; exit 1; }
command -v icewm >/dev/null || { echo "icewm is missing (package icewm)" >&2; exit 1; }
icewm >/dev/null 2>&1 &
manager=$!
trap 'end_processes $manager' EXIT
bash "$here/wine_run.sh" "$@"
