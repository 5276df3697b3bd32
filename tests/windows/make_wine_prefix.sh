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
