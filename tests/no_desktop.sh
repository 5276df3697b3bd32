#!/usr/bin/env bash
# Started without a display, the program and `scripts/dev run` both say in one
# line that a desktop is needed and how to start it anyway, and end with
# status 1 before Qt starts or anything is built.
# Usage: no_desktop.sh path/to/aurisplot SOURCE_DIR
set -euo pipefail
program=$1
source=$2
expected='aurisplot: a graphical desktop is needed (neither DISPLAY nor WAYLAND_DISPLAY is set); to run it without one, start it as: xvfb-run aurisplot'
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Runs a command with no display and no platform, as over SSH or on a console;
# checks its status and that its only words are the expected line.
check() {
    local what=$1 status=0
    shift
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" >"$work/out" 2>"$work/err" ||
        status=$?
    [ "$status" -eq 1 ] || fail "$what: status $status, not 1"
    [ ! -s "$work/out" ] || fail "$what wrote to standard output: $(cat "$work/out")"
    [ "$(cat "$work/err")" = "$expected" ] || fail "$what said: $(cat "$work/err")"
}

check "the program" "$program"
# An empty variable is no display either.
check "the program with empty variables" env DISPLAY= WAYLAND_DISPLAY= QT_QPA_PLATFORM= "$program"
# The script refuses before it installs or builds: a copy of it in an empty
# folder has nothing it could build.
mkdir -p "$work/tree/scripts"
cp "$source/scripts/dev" "$work/tree/scripts/dev"
check "scripts/dev run" bash "$work/tree/scripts/dev" run
[ ! -e "$work/tree/build" ] || fail "scripts/dev run built before it refused"

# Qt's own platform option, with one dash or two, is a way to run without a
# desktop: the program starts and runs until it is ended (here by timeout,
# status 124).
for option in -platform --platform; do
    status=0
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 2 "$program" "$option" offscreen \
        2>"$work/err" || status=$?
    [ "$status" -eq 124 ] || fail "$option offscreen: status $status: $(cat "$work/err")"
    ! grep -q "desktop is needed" "$work/err" || fail "$option offscreen was refused"
done
echo "no desktop: passed"
