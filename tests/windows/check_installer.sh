#!/usr/bin/env bash
# Makes the Windows installer and ZIP, and checks them in a fresh Wine prefix
# of this test's own: the ZIP holds the program, licence and README; a silent
# install puts them in Program Files with a Start-menu shortcut and an
# Add/Remove Programs entry; the installed program shows its window and ends
# with status 0 when the window manager closes it; a silent uninstall leaves
# nothing behind. Run under xvfb-run -a. The prefix is removed after a pass and
# kept after a failure, for a look inside.
# Usage: check_installer.sh BUILD_DIR SOURCE_DIR VERSION
set -euo pipefail
build=$1
source=$2
version=$3
work=$build/installer-test
title='Quarnel Labs - Aurisplot'

source "$source/scripts/on_x_server.sh"
source "$source/scripts/in_wine_prefix.sh"
pids=()
passed=
end() {
    end_wine_prefix
    end_processes "${pids[@]}"
    [ -z "$passed" ] || rm -rf "$work"
}
trap end EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

[ -n "${DISPLAY:-}" ] || fail "no X server: run under xvfb-run"
rm -rf "$work"
mkdir -p "$work"

cpack --config "$build/CPackConfig.cmake" -B "$work/package" >"$work/cpack.log" ||
    fail "cpack: $(cat "$work/cpack.log")"
setup=$work/package/aurisplot-$version-win64-setup.exe
zip=$work/package/aurisplot-$version-win64.zip
[ -f "$setup" ] || fail "no installer $setup"
[ -f "$zip" ] || fail "no ZIP $zip"

shipped='aurisplot.exe
LICENSE.txt
README.txt'
listing=$(cmake -E tar tf "$zip" | sort)
expected=$(sed "s|^|aurisplot-$version-win64/|" <<<"$shipped" | sort)
[ "$listing" = "$expected" ] || fail "ZIP holds: $listing"

use_wine_prefix "$work/prefix"
wineboot --init 2>/dev/null  # it remarks that 32-bit rundll32 is missing
wineserver -w

drive=$WINEPREFIX/drive_c
folder="$drive/Program Files/Aurisplot"
menu="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/Aurisplot"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Aurisplot'
vendor_key='HKLM\Software\Quarnel Labs'

# Silent install.
status=0
wine "$setup" /S || status=$?
[ "$status" -eq 0 ] || fail "installer ended with status $status"
installed=$(cd "$folder" 2>/dev/null && ls | sort) || fail "nothing in $folder"
[ "$installed" = "$(printf '%s\nUninstall.exe' "$shipped" | sort)" ] ||
    fail "$folder holds: $installed"
cmp -s "$folder/LICENSE.txt" "$build/packaging/win32/LICENSE.txt" || fail "LICENSE.txt differs"

# The shortcut "Aurisplot" starts the installed program, and so shows its
# icon (the program's first).
target='C:\Program Files\Aurisplot\aurisplot.exe'
[ -f "$menu/Aurisplot.lnk" ] || fail "no Start-menu shortcut: $(ls "$menu" 2>&1)"
strings -a "$menu/Aurisplot.lnk" | grep -qixF "$target" || fail "the shortcut does not start $target"

# The Add/Remove Programs entry.
entry=$(wine reg query "$uninstall_key" | tr -d '\r') || fail "no registry key $uninstall_key"
value() { sed -n "s/^ *$1 *REG_SZ *//p" <<<"$entry"; }
[ "$(value DisplayName)" = Aurisplot ] || fail "DisplayName: '$(value DisplayName)'"
[ "$(value Publisher)" = "Quarnel Labs" ] || fail "Publisher: '$(value Publisher)'"
[ "$(value DisplayVersion)" = "$version" ] || fail "DisplayVersion: '$(value DisplayVersion)'"
[ "$(value DisplayIcon)" = 'C:\Program Files\Aurisplot\aurisplot.exe' ] ||
    fail "DisplayIcon: '$(value DisplayIcon)'"

# The installed program shows its window and ends with status 0 when the window
# manager closes it. The manager first, and ready (its task bar is up), so that
# it receives the close request.
icewm >/dev/null 2>&1 &
pids+=($!)
xdotool search --sync --onlyvisible --classname '^icewm$' >/dev/null
wine 'C:\Program Files\Aurisplot\aurisplot.exe' &
program=$!
pids+=("$program")
xdotool search --sync --onlyvisible --name "^$title\$" >"$work/window" &
finder=$!
pids+=("$finder")
ended=
status=0
wait -n -p ended "$program" "$finder" || status=$?
[ "$ended" = "$finder" ] || fail "the installed program ended with status $status before its window showed"
window=$(head -n 1 "$work/window")
wmctrl -i -c "$window"
status=0
wait "$program" || status=$?
[ "$status" -eq 0 ] || fail "the installed program ended with status $status when closed"

# Silent uninstall. The uninstaller copies itself to a temporary folder, starts
# that copy and returns at once: wait for every Wine process to end.
status=0
wine 'C:\Program Files\Aurisplot\Uninstall.exe' /S || status=$?
[ "$status" -eq 0 ] || fail "uninstaller ended with status $status"
wineserver -w
[ ! -e "$folder" ] || fail "left behind: $(find "$folder")"
[ ! -e "$menu" ] || fail "left behind: $(find "$menu")"
! wine reg query "$uninstall_key" >/dev/null 2>&1 || fail "left behind: $uninstall_key"
! wine reg query "$vendor_key" >/dev/null 2>&1 || fail "left behind: $vendor_key"

passed=1
echo "installer and ZIP: passed"
