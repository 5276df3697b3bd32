#!/usr/bin/env bash
# The real program natively on Wayland, under a headless weston of the test's
# own, which leaves the window's frame to the client as GNOME does. The program
# is read and pressed through the accessibility bus, weston having no keyboard:
# it starts, graphs, shows the result in its title and ends on Exit with status
# 0; its title bar offers a close box and nothing else; and the compositor is
# handed a window of exactly the form and its title bar, fixed in size, with no
# frame of Qt's own around it.
# Usage: native_wayland.sh path/to/aurisplot QT_PLATFORM_PLUGIN_DIR
set -euo pipefail
program=$1
plugins=$2
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# First the tools, then a session bus of the test's own, whatever the caller has.
if [ "${3:-}" != --inside ]; then
    source "$here/../needs.sh"
    needs weston:weston dbus-run-session:dbus-daemon dbus-send:dbus-bin pgrep:procps \
        "$plugins/libqwayland-generic.so:qt6-wayland" \
        /usr/libexec/at-spi-bus-launcher:at-spi2-core /usr/bin/python3:python3
    /usr/bin/python3 -c 'import pyatspi' 2>/dev/null ||
        fail "pyatspi missing from /usr/bin/python3 (package python3-pyatspi)"
    unset DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS
    exec dbus-run-session -- bash "${BASH_SOURCE[0]}" "$program" "$plugins" --inside
fi

# The caller's desktop settings and display go; the platform is Wayland.
source "$here/../../scripts/on_x_server.sh"
source "$here/../../scripts/on_accessibility_bus.sh"
export QT_QPA_PLATFORM=wayland
unset DISPLAY

work=$(mktemp -d)
weston=
launcher=
# weston's own clients (its shell, its on-screen keyboard) are ended with it.
end_weston() {
    local clients=
    [ -z "$weston" ] || clients=$(pgrep -P "$weston" || true)
    end_processes $weston $clients
}
trap 'end_processes $launcher; end_weston; rm -rf "$work"' EXIT

# A private runtime folder holds the compositor's socket.
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 0700 "$XDG_RUNTIME_DIR"
export WAYLAND_DISPLAY=aurisplot-test
# Every request of every client is logged, so that the window handed to the
# compositor can be read back.
weston --backend=headless-backend.so --use-pixman --no-config --idle-time=0 \
    --socket="$WAYLAND_DISPLAY" --log="$work/weston.log" --logger-scopes=log,proto &
weston=$!
for _ in $(seq 200); do
    [ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] && break
    kill -0 "$weston" 2>/dev/null || fail "weston ended at start: $(cat "$work/weston.log")"
    sleep 0.05
done
[ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] || fail "weston did not open its socket within 10 s"

start_accessibility_bus

/usr/bin/python3 "$here/native_wayland.py" "$program"

# What the program asked of the compositor for its window (xdg-shell): every
# window geometry the size of the form with its title bar, 542 pixels wide as
# the form is (Qt's own frame would add its borders), and that same size as
# both the least and the greatest, so that the compositor offers no resizing
# or maximising either.
requests=$(grep -oE 'xdg_(surface|toplevel)@[0-9]+\.(set_window_geometry|set_min_size|set_max_size)\([^)]*\)' \
    "$work/weston.log" | sed 's/@[0-9]*//') || fail "no window requests in weston's log"
echo "$requests"
geometries=$(grep -oP 'set_window_geometry\(0, 0, \K[0-9]+, [0-9]+' <<<"$requests" | sort -u)
[ "$(wc -l <<<"$geometries")" -eq 1 ] || fail "window geometries: $geometries"
[[ $geometries == "542, "* ]] || fail "window geometry $geometries, not 542 wide"
grep -qF "set_min_size($geometries)" <<<"$requests" || fail "least size is not $geometries"
grep -qF "set_max_size($geometries)" <<<"$requests" || fail "greatest size is not $geometries"
echo "native Wayland: passed"
