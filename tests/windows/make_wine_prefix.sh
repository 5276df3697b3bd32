#!/usr/bin/env bash
# Makes (or brings up to date) the Wine prefix the Windows tests run in, and
# waits until Wine has settled, so that it is complete before any test starts.
# Usage: make_wine_prefix.sh PREFIX
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../../scripts/in_wine_prefix.sh"
use_wine_prefix "$1"
trap end_wine_prefix EXIT
wineboot --init
wineserver -w
# Wine's own fonts (package fonts-wine), MS Sans Serif among them, where the
# prefix's programs look for the system's fonts: Debian's Wine leaves the
# prefix's font folder empty, and the window would fall back to a wider font.
fonts=/usr/share/wine/fonts
[ -d "$fonts" ] || { echo "Wine's fonts are missing (package fonts-wine)" >&2; exit 1; }
cp -n "$fonts"/* "$WINEPREFIX/drive_c/windows/Fonts/"
