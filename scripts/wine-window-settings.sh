#!/usr/bin/env bash
# How Wine shows its windows in a prefix (WINEPREFIX), for the tests' prefixes and ./run's.
#
#   wine-window-settings.sh WINE_LOADER
set -euo pipefail
wine=${1:?Wine loader}
# A setting that cannot be written says which, with what reg printed. Its output goes to
# a file, never a pipe: the Wine services a first command starts keep what they inherit
# open, and a reader of the pipe would wait for them.
reg() {
    local out
    out=$(mktemp)
    "$wine" reg add "$@" /f >"$out" 2>&1 </dev/null || {
        echo "reg add $1 $3 failed: $(cat "$out")" >&2
        rm -f "$out"
        return 1
    }
    rm -f "$out"
}
# Unmanaged X windows: Wine itself gives them the X focus when a program activates one.
# A window manager would be asked instead, and may refuse (focus-stealing prevention):
# Tamvera's target would never come to the front and the run would stop at its first key.
# With no window manager (the test displays) Wine would otherwise also wait two seconds
# for each destroyed window to be withdrawn.
reg 'HKCU\Software\Wine\X11 Driver' /v Managed /d N
# Except the browser suite's relay window (tests/browser): activating an unmanaged window
# moves the X focus to it, away from the browser the keys are replayed into.
reg 'HKCU\Software\Wine\AppDefaults\browser_relay.exe\X11 Driver' /v Managed /d Y
