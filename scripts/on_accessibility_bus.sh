# Sourced by the scripts that read the real program through the desktop's
# accessibility bus, inside a session bus of their own (dbus-run-session).
# They define fail() first.

# Starts the accessibility bus and waits (10 s at the most) until it runs;
# sets $launcher, for the caller's EXIT trap to end.
start_accessibility_bus() {
    local launcher_path=/usr/libexec/at-spi-bus-launcher
    [ -x "$launcher_path" ] || fail "$launcher_path missing (package at-spi2-core)"
    "$launcher_path" --launch-immediately &
    launcher=$!
    for _ in $(seq 200); do
        accessibility_bus_up && return 0
        kill -0 "$launcher" 2>/dev/null || fail "the accessibility bus launcher ended at start"
        sleep 0.05
    done
    accessibility_bus_up || fail "the accessibility bus did not come up within 10 s"
}

# The launcher takes its name on the session bus once the accessibility bus
# runs. Asking the name's owner, not the name itself, starts no second one.
accessibility_bus_up() {
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner string:org.a11y.Bus 2>/dev/null | grep -q "boolean true"
}
