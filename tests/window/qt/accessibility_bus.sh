#!/usr/bin/env bash
# Reads the real program through the desktop's accessibility bus, as a screen
# reader does: brings up the bus, then hands over to the reader script, which
# starts the program, checks its tree, graphs and hears the result.
# Usage: accessibility_bus.sh path/to/aurisplot
set -euo pipefail
program=$1
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# First a session bus and an X server of the test's own, whatever the caller has.
if [ "${2:-}" != --inside ]; then
    for tool in dbus-run-session:dbus-daemon dbus-send:dbus-bin xvfb-run:xvfb xdotool:xdotool; do
        command -v "${tool%%:*}" >/dev/null || fail "${tool%%:*} missing (package ${tool##*:})"
    done
    /usr/bin/python3 -c 'import pyatspi' 2>/dev/null ||
        fail "pyatspi missing from /usr/bin/python3 (package python3-pyatspi)"
    unset DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS DISPLAY WAYLAND_DISPLAY
    exec dbus-run-session -- xvfb-run -a bash "${BASH_SOURCE[0]}" "$program" --inside
fi

source "$here/../../../scripts/on_x_server.sh"
source "$here/../../../scripts/on_accessibility_bus.sh"
launcher=
trap 'end_processes $launcher' EXIT
start_accessibility_bus

# Debian's python, which has pyatspi; another one may come first on the PATH.
/usr/bin/python3 "$here/accessibility_bus.py" "$program"
