#!/usr/bin/env bash
# What a test needs from the machine, checked before it runs anything: a test
# whose tool is missing fails at once, naming the Debian package that brings
# it, instead of running a command line that cannot work.
#
# Each need is WHAT:PACKAGE, where WHAT is a program looked up on the PATH, or
# an absolute path to a file.
#
# Sourced, it defines `needs NEED...`. Run, it checks its needs and then runs
# the command after them:
#   bash needs.sh xvfb-run:xvfb xdotool:xdotool -- xvfb-run -a bash test.sh

needs() {
    local need what package missing=()
    for need in "$@"; do
        what=${need%:*}
        package=${need##*:}
        if [[ $what == /* ]]; then
            [ -e "$what" ] || missing+=("$what (package $package)")
        else
            command -v "$what" >/dev/null || missing+=("$what (package $package)")
        fi
    done
    if [ ${#missing[@]} -gt 0 ]; then
        printf 'FAIL: missing %s\n' "${missing[@]}" >&2
        exit 1
    fi
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    set -euo pipefail
    wanted=()
    while [ $# -gt 0 ] && [ "$1" != -- ]; do
        wanted+=("$1")
        shift
    done
    [ "${1:-}" = -- ] || { echo "usage: needs.sh WHAT:PACKAGE... -- COMMAND..." >&2; exit 2; }
    shift
    needs "${wanted[@]}"
    exec "$@"
fi
