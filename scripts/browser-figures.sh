#!/usr/bin/env bash
# The slow-page table of docs/PERFORMANCE.md, for every delay and both browsers (or those
# named): blind and verified, each on a display and Wine prefix of its own.
#
#   scripts/browser-figures.sh [chromium] [firefox]    after ./test has built build/win64
#
# Each browser's table ends its output (build/win64/browser-figures-BROWSER.txt).
set -euo pipefail
cd "$(dirname "$0")/.."
browsers=("$@")
[ ${#browsers[@]} -gt 0 ] || browsers=(chromium firefox)
build=$PWD/build/win64
[ -x "$build/tests/browser/browser_relay.exe" ] || { echo "build/win64 is not built: run ./test first" >&2; exit 1; }
state=$build/figures-state
trap 'scripts/wine-env.sh stop "$state" >/dev/null 2>&1 || true' EXIT
scripts/wine-env.sh start "$state" >/dev/null
for browser in "${browsers[@]}"; do
    scripts/wine-env.sh exec "$state" bash tests/browser/browser-figures.sh "$build" "$browser" |
        tee "$build/browser-figures-$browser.txt"
done
