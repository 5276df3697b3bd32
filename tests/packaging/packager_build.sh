#!/usr/bin/env bash
# Builds and installs the program as a distribution packager does: build type
# None, no tests, and none of the test libraries to be found (GoogleTest,
# Google Benchmark, Qt Test), as on a build machine without them. The staged
# install holds exactly the expected files.
# Usage: packager_build.sh SOURCE_DIR
set -euo pipefail
source=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

cmake -S "$source" -B "$work/build" -DCMAKE_BUILD_TYPE=None -DBUILD_TESTING=OFF \
    -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON \
    -DCMAKE_DISABLE_FIND_PACKAGE_Qt6Test=ON >"$work/configure.log" 2>&1 ||
    fail "configure: $(cat "$work/configure.log")"
cmake --build "$work/build" -j 2 >"$work/build.log" 2>&1 || fail "build: $(tail -n 30 "$work/build.log")"
DESTDIR="$work/stage" cmake --install "$work/build" --prefix /usr >/dev/null
(cd "$work/stage" && find . -type f | sed 's|^\./|/|' | sort) >"$work/installed.txt"
diff -u "$source/tests/packaging/installed-files.txt" "$work/installed.txt" ||
    fail "installed files differ"
echo "packager build: passed"
