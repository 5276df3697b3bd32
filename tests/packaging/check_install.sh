#!/usr/bin/env bash
# Checks what `cmake --install` and the Debian package put on a desktop, and,
# when the build is a hardened one, Debian's hardening in the program.
# Usage: check_install.sh BUILD_DIR SOURCE_DIR hardened|plain
set -euo pipefail
build=$1
source=$2
hardening=$3
expected="$source/tests/packaging/installed-files.txt"

# The tools first, then an X server of the test's own.
if [ "${4:-}" != --inside ]; then
    source "$source/tests/needs.sh"
    needs xvfb-run:xvfb xauth:xauth xdotool:xdotool cpack:cmake dpkg-deb:dpkg \
        desktop-file-validate:desktop-file-utils appstreamcli:appstream lintian:lintian
    [ "$hardening" = plain ] || needs hardening-check:devscripts readelf:binutils
    unset DISPLAY WAYLAND_DISPLAY
    exec xvfb-run -a bash "${BASH_SOURCE[0]}" "$build" "$source" "$hardening" --inside
fi

work=$(mktemp -d)
source "$source/scripts/on_x_server.sh"
pid=
trap 'end_processes $pid; rm -rf "$work"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# The desktop entry and the AppStream file validate with nothing to say.
report=$(desktop-file-validate "$source/packaging/qt/com.quarnellabs.Aurisplot.desktop" 2>&1)
[ -z "$report" ] || fail "desktop-file-validate: $report"
report=$(appstreamcli validate --no-net "$source/packaging/qt/com.quarnellabs.Aurisplot.metainfo.xml" 2>&1) ||
    fail "appstreamcli: $report"
! grep -qE '^(E|W|I):' <<<"$report" || fail "appstreamcli: $report"

# An install into a staging folder holds exactly the expected files.
DESTDIR="$work/stage" cmake --install "$build" --prefix /usr >/dev/null
(cd "$work/stage" && find . -type f | sed 's|^\./|/|' | sort) >"$work/installed.txt"
diff -u "$expected" "$work/installed.txt" || fail "installed files differ from $expected"

# The package holds the same files, and the font the captions are measured in.
cpack --config "$build/CPackConfig.cmake" -B "$work/package" >/dev/null
deb=$(ls "$work"/package/*.deb)
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sed 's|^\./|/|' | sort >"$work/packaged.txt"
diff -u "$work/installed.txt" "$work/packaged.txt" || fail "package contents differ from the install"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in fonts-dejavu-extra libqt6widgets6 libc6; do
    grep -q "$needed" <<<"$depends" || fail "package does not depend on $needed: $depends"
done
# The Wayland platform, installed with the program unless recommends are
# turned off; without it Qt runs the program through XWayland.
recommends=$(dpkg-deb -f "$deb" Recommends)
[ "$recommends" = qt6-wayland ] || fail "package recommends \"$recommends\", not qt6-wayland"

# Debian's own check: lintian with no error or warning.
report=$(lintian "$deb" 2>&1 | grep -v 'running with root privileges') || true
! grep -qE '^(E|W):' <<<"$report" || fail "lintian: $report"

# A hardened build: the hardening flags found in the packaged program. The one
# exception is control-flow protection: our code is compiled with it (its
# objects carry the IBT and SHSTK marks), but Debian 12's C start-up files do
# not carry them, so the linker rightly leaves the mark off the program, as on
# Debian's own binaries.
if [ "$hardening" = hardened ]; then
    dpkg-deb -x "$deb" "$work/unpacked"
    report=$(hardening-check "$work/unpacked/usr/bin/aurisplot") || true  # non-zero for the exception
    ! grep -v 'Control flow integrity' <<<"$report" | grep -q ': no' ||
        fail "hardening-check: $report"
    readelf -n "$build/app/CMakeFiles/aurisplot.dir/qt_main.cpp.o" | grep -q 'x86 feature: IBT, SHSTK' ||
        fail "the program is not compiled with control-flow protection"
fi

# The installed program starts on an X server and ends with status 0 on Alt+X.
"$work/stage/usr/bin/aurisplot" &
pid=$!
window=$(timeout 20 xdotool search --sync --onlyvisible --name '^Quarnel Labs - Aurisplot$' |
    head -n 1) || fail "the installed program showed no window"
xdotool windowfocus --sync "$window" key alt+x
timeout 20 tail --pid="$pid" -f /dev/null || fail "the installed program did not end on Alt+X"
status=0
wait "$pid" || status=$?
pid=
[ "$status" -eq 0 ] || fail "the installed program ended with status $status"
echo "install and package: passed"
