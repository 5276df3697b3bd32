#!/usr/bin/env bash
# Runs a Windows program under Wine in the given prefix, and ends that prefix's
# processes when it ends, on every way out, so that nothing it started outlives
# it. The status is the program's (Wine passes on its low 8 bits). The build's
# test runner starts the test programs through it (the Windows toolchain file).
# Usage: wine_run.sh PREFIX PROGRAM.exe [ARGUMENTS...]
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/in_wine_prefix.sh"
use_wine_prefix "$1"
shift

program=
end() {
    end_wine_prefix
    [ -z "$program" ] || wait "$program" 2>/dev/null || true
}
trap end EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP

# In the background, so that a signal reaches the traps at once.
wine "$@" &
program=$!
status=0
wait "$program" || status=$?
program=
exit "$status"
