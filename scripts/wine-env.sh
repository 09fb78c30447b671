#!/usr/bin/env bash
# The display and Wine prefix that the Windows tests run in.
#
#   wine-env.sh start STATE [--32bit]  start an Xvfb display of its own and a persistent
#                                      wineserver; make the Wine prefix on first use
#   wine-env.sh stop STATE             stop the wineserver and the display
#   wine-env.sh exec STATE CMD...      run CMD on that display and prefix; a .exe runs
#                                      under the 64-bit Wine loader, which hands a 32-bit
#                                      program to the 32-bit one
#
# STATE is a folder of the build (display number, pids, the prefix). Everything started
# here is detached from the caller's output, so CTest never waits on it.
#
# With --32bit the state is for 32-bit programs. Where this machine cannot run them (the
# kernel refuses 32-bit programs, or Wine's 32-bit loader is not installed), start records
# why, and every command on the state prints that one line and exits 77, which CTest
# reports as skipped.
set -euo pipefail

WINE64=/usr/lib/wine/wine64
WINE32_LOADER=/usr/lib/wine/wine
SKIPPED=77
WINESERVER=/usr/lib/wine/wineserver64
[ -x "$WINESERVER" ] || WINESERVER=$(command -v wineserver)

cmd=${1:?command}
state=${2:?state folder}
shift 2
mkdir -p "$state"
state=$(cd "$state" && pwd)
export WINEPREFIX="$state/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
export WINE="$WINE64"

# Why this machine cannot run the state's 32-bit programs; nothing when it can.
reason_32bit_missing() {
    "$(dirname "$0")/runs-32bit.sh" || return 0
    [ -x "$WINE32_LOADER" ] || echo "Wine's 32-bit loader is not installed (wine32:i386; scripts/install-deps.sh installs it)"
}
skip_if_recorded() {
    if [ -s "$state/skipped" ]; then
        echo "skipped: $(cat "$state/skipped")"
        exit $SKIPPED
    fi
}

display_env() {
    [ -s "$state/display" ] || { echo "wine-env: the test display is not running ($state)" >&2; exit 1; }
    export DISPLAY=":$(head -n1 "$state/display")"
}

stop() {
    if [ -d "$WINEPREFIX" ]; then "$WINESERVER" -k >/dev/null 2>&1 || true; fi
    if [ -s "$state/xvfb.pid" ]; then kill "$(cat "$state/xvfb.pid")" >/dev/null 2>&1 || true; fi
    rm -f "$state/xvfb.pid" "$state/display"
}

# A start that fails says where, with what the display and wineboot wrote: its commands
# send their own output to logs, so the failing line is all CTest would otherwise show.
start_failed() {
    local status=$? line=$1 command=$2
    echo "wine-env: start failed (exit $status) at line $line: $command" >&2
    local log
    for log in "$state/xvfb.log" "$state/wineboot.log" "$state/settings.log"; do
        [ -s "$log" ] && { echo "--- ${log##*/}, last lines:" >&2; tail -n 15 "$log" >&2; }
    done
    exit "$status"
}

case $cmd in
start)
    trap 'start_failed $LINENO "$BASH_COMMAND"' ERR
    stop
    rm -f "$state/skipped"
    if [ "${1:-}" == --32bit ]; then
        reason_32bit_missing >"$state/skipped"
        skip_if_recorded
        # A prefix made before Wine's 32-bit part was installed has no 32-bit system.
        [ -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ] || rm -rf "$WINEPREFIX"
    fi
    setsid Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset \
        3>"$state/display" >"$state/xvfb.log" 2>&1 </dev/null &
    echo $! >"$state/xvfb.pid"
    for _ in $(seq 100); do [ -s "$state/display" ] && break; sleep 0.1; done
    display_env
    mkdir -p "$WINEPREFIX"
    setsid "$WINESERVER" -p >/dev/null 2>&1 </dev/null &
    sleep 0.5
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        "$WINE64" wineboot -i >"$state/wineboot.log" 2>&1 </dev/null
    fi
    "$(dirname "$0")/wine-window-settings.sh" "$WINE64" >"$state/settings.log" 2>&1
    echo "wine-env: display $DISPLAY, prefix $WINEPREFIX"
    ;;
stop)
    stop
    skip_if_recorded
    ;;
exec)
    skip_if_recorded
    display_env
    if [[ ${1:-} == *.exe ]]; then exec "$WINE64" "$@"; else exec "$@"; fi
    ;;
*)
    echo "usage: wine-env.sh start|stop|exec STATE [CMD...]" >&2
    exit 2
    ;;
esac
