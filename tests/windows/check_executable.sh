#!/usr/bin/env bash
# Checks what the linker made of aurisplot.exe: it imports no DLL that Windows
# lacks (the C++ runtime is linked in), its PE header asks for ASLR with a
# 64-bit address space and for DEP, and its icon, manifest and version
# resources are in it.
# Usage: check_executable.sh EXE WINE_PREFIX SOURCE_DIR VERSION
set -euo pipefail
exe=$1
system32=$2/drive_c/windows/system32
icon=$3/window/resources/aurisplot.ico
version=$4
objdump=x86_64-w64-mingw32-objdump
failures=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

headers=$("$objdump" -p "$exe")

# A system DLL is one a fresh Wine prefix has: MinGW's runtime DLLs
# (libstdc++-6, libgcc_s_seh-1, libwinpthread-1) are not among them.
dlls=$(sed -n 's/^\s*DLL Name: //p' <<<"$headers")
[ -n "$dlls" ] || fail "no imported DLL found by $objdump"
while read -r dll; do
    [ -e "$system32/${dll,,}" ] || fail "imports $dll, which Windows does not provide"
done <<<"$dlls"

characteristics=$(sed -n '/^DllCharacteristics/,/^[A-Za-z]/p' <<<"$headers")
for flag in DYNAMIC_BASE HIGH_ENTROPY_VA NX_COMPAT; do
    grep -qw "$flag" <<<"$characteristics" || fail "DllCharacteristics lacks $flag"
done
grep -q '^Subsystem.*(Windows GUI)' <<<"$headers" || fail "not a GUI program (no console window)"

# The icon group 1 holds the very images of the committed icon.
if wrestool -x --type=14 --name=1 "$exe" >"$work/icon.ico" 2>/dev/null; then
    [ "$(icotool -l "$work/icon.ico")" = "$(icotool -l "$icon")" ] ||
        fail "icon 1 differs from $icon: $(icotool -l "$work/icon.ico")"
else
    fail "no icon 1"
fi
wrestool -x --raw --type=24 --name=1 "$exe" | grep -q 'PerMonitorV2' ||
    fail "no application manifest asking for per-monitor DPI awareness"

# The version strings, as Explorer reads them: each name followed by its value.
strings=$(wrestool -x --raw --type=16 --name=1 "$exe" | iconv -f UTF-16LE -t UTF-8 2>/dev/null |
    tr -c '[:print:]' '\n' | grep -v '^$') || true
value() { grep -x -A1 "$1" <<<"$strings" | sed -n 2p; }
[ "$(value ProductName)" = Aurisplot ] || fail "ProductName: '$(value ProductName)'"
[ "$(value CompanyName)" = "Quarnel Labs" ] || fail "CompanyName: '$(value CompanyName)'"
[ "$(value FileVersion)" = "$version" ] || fail "FileVersion: '$(value FileVersion)', not $version"
[ "$(value ProductVersion)" = "$version" ] || fail "ProductVersion: '$(value ProductVersion)'"

[ "$failures" -eq 0 ] || exit 1
echo "executable: imports $(tr '\n' ' ' <<<"$dlls")"
