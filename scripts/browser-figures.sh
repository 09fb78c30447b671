#!/usr/bin/env bash
# The slow-page table of docs/PERFORMANCE.md, for every delay and both browsers (or those
# named): blind and verified, each on a display and Wine prefix of its own.
#
#   scripts/browser-figures.sh [chromium] [firefox] [-- ARG...]    after ./test has built build/win64
#
# ARG: the delays, or --deaf MS (see tests/browser/browser-figures.sh). TAMVERA_EXE names
# another Tamvera.exe to measure. Each browser's table ends its output
# (build/win64/browser-figures-BROWSER.txt).
set -euo pipefail
cd "$(dirname "$0")/.."
browsers=()
while [ $# -gt 0 ] && [ "$1" != -- ]; do browsers+=("$1"); shift; done
[ $# -eq 0 ] || shift
[ ${#browsers[@]} -gt 0 ] || browsers=(chromium firefox)
build=$PWD/build/win64
[ -x "$build/tests/browser/browser_relay.exe" ] || { echo "build/win64 is not built: run ./test first" >&2; exit 1; }
state=$build/figures-state
trap 'scripts/wine-env.sh stop "$state" >/dev/null 2>&1 || true' EXIT
scripts/wine-env.sh start "$state" >/dev/null
for browser in "${browsers[@]}"; do
    scripts/wine-env.sh exec "$state" bash tests/browser/browser-figures.sh "$build" "$browser" "$@" |
        tee "$build/browser-figures-$browser.txt"
done
