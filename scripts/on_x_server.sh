# Sourced by every script that starts the real program on the X server it was
# given (under xvfb-run). The program draws there, with Qt's own defaults,
# whatever the caller's desktop asks for; and nothing a script started outlives
# it. The benchmarks and the native Wayland test source it too, and choose their
# platform after it.

# A caller's platform would put the window elsewhere (offscreen, Wayland), and
# its desktop settings would change the window's size, fonts, style or input.
export QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY \
    QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS QT_ENABLE_HIGHDPI_SCALING QT_FONT_DPI \
    QT_SCALE_FACTOR_ROUNDING_POLICY QT_USE_PHYSICAL_DPI QT_STYLE_OVERRIDE QT_QPA_PLATFORMTHEME \
    QT_IM_MODULE QT_QPA_FONTDIR QT_QPA_GENERIC_PLUGINS QT_ACCESSIBILITY \
    QT_LINUX_ACCESSIBILITY_ALWAYS_ON XDG_CURRENT_DESKTOP DESKTOP_SESSION KDE_FULL_SESSION

# Ends the given processes, if they still run, and reaps them. For the EXIT
# trap, so that it holds on every way out, failure included.
end_processes() {
    local process
    for process in "$@"; do
        kill "$process" 2>/dev/null || true
        wait "$process" 2>/dev/null || true
    done
}
