#!/usr/bin/env bash
# Makes the README's pictures: the real program on a virtual X server with a
# window manager, after a Graph with the default inputs, its title bar
# included; docs/aurisplot.png of the Linux build, docs/aurisplot-windows.png
# of the Windows build under Wine. Make them again after the window changes.
# Usage: bash scripts/dev screenshot   (installs what it needs, builds, runs this)
#        screenshot.sh linux | windows
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
title='Quarnel Labs - Aurisplot'
build=${1:?linux or windows}
case "$build" in
    linux)
        program=("$here/build/app/aurisplot")
        output="$here/docs/aurisplot.png"
        ;;
    windows)
        prefix="$here/build-windows/wine-prefix"
        program=(bash "$here/scripts/wine_run.sh" "$prefix" "$here/build-windows/app/aurisplot.exe")
        output="$here/docs/aurisplot-windows.png"
        ;;
    *)
        echo "usage: $0 linux | windows" >&2
        exit 2
        ;;
esac

if [ "${2:-}" != --inside ]; then
    [ -e "${program[-1]}" ] || { echo "build first: bash scripts/dev screenshot" >&2; exit 1; }
    [ "$build" = linux ] || bash "$here/tests/windows/make_wine_prefix.sh" "$prefix"
    exec xvfb-run -a -s "-screen 0 640x520x24" bash "${BASH_SOURCE[0]}" "$build" --inside
fi

source "$here/scripts/on_x_server.sh"
pid=
manager=
trap 'end_processes $pid $manager' EXIT

icewm >/dev/null 2>&1 &
manager=$!
# A window mapped before the manager runs is framed differently: wait for it.
timeout 20 bash -c 'until xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"; do sleep 0.1; done'
"${program[@]}" &
pid=$!
window=$(timeout 20 xdotool search --sync --onlyvisible --name "^$title\$" | head -n 1)
# The window manager frames the window before it takes the focus.
timeout 20 bash -c "until xdotool windowfocus --sync $window 2>/dev/null; do sleep 0.1; done"
xdotool key alt+g
timeout 30 xdotool search --sync --name "^$title - \[MPE range is ~2m\]\$" >/dev/null
# The pointer out of the picture.
xdotool mousemove 639 519
xdotool sync 2>/dev/null || true
# The window manager's frame, title bar included: the ancestor of the window
# that is a child of the root window.
root=$(xwininfo -root | awk '/Window id:/ {print $4}')
frame=$(printf '0x%x' "$window")
while parent=$(xwininfo -tree -id "$frame" | awk '/Parent window id:/ {print $4}') &&
    [ "$parent" != "$root" ]; do
    frame=$parent
done
mkdir -p "$(dirname "$output")"
import -silent -window "$frame" -strip "$output"
optipng -quiet -o7 -strip all "$output"
echo "wrote $output ($(stat -c %s "$output") bytes)"
