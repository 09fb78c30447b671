#!/usr/bin/env bash
# Helpers of the main window's Wine scripts: start the real Tamvera.exe on the test
# display, look at it (window_probe.exe, screenshots) and drive it (xdotool). Sourced by
# a script that was given the build folder as $1 and runs with DISPLAY, WINEPREFIX and
# WINE set (scripts/wine-env.sh exec). Everything started here is ended by the EXIT trap.
#
# Window facts at 96 dpi (the window opens at the screen's (0, 0) on the test display):
# client 322 x 555; flat buttons (x y w h) Tamvera 136 112 57 25, E-Rapor 192 112,
# Dapodik 248 112, Cepat 136 161, Sedang 192 161, Lambat 248 161 (all 57 x 25),
# Pilihan 136 208 85 25, Isian 221 208 85 25, Mulai 160 344 145 25, Berhenti 160 376,
# Informasi 160 488 (145 x 25); Txt_Waktu 141 260 153 17, Txt_Perkembangan 142 304 153 17,
# Txt_Nilai 22 348 125 166; the "X" 307 5 9 17 (its own part rows 5-15); drag areas
# rows 0-24 (x 0-304) and rows 16-88 (x 0-320); credit label 184 536 137 25.
set -euo pipefail

BUILD=$(cd "${1:?build folder}" && pwd)
# Another Tamvera.exe (the 32-bit release) can be put under test instead of the build's.
TAMVERA_EXE=${TAMVERA_EXE:-$BUILD/src/app/Tamvera.exe}
PROBE_EXE=$BUILD/tests/wine/window/window_probe.exe
LATIHAN_EXE=$BUILD/practice/TamveraLatihan.exe
: "${WINE:?run through scripts/wine-env.sh exec}" "${DISPLAY:?no display}"
export WINEDEBUG=-all

WORK=$(mktemp -d /tmp/tamvera-window.XXXXXX)
STARTED_PIDS=()
FAILURES=0

# What was started here: the commands in STARTED_PIDS, and every Wine program of this
# prefix from the build or the test's folder (see lane_programs). After a failed check the
# work folder, with every program's log, stays for a look.
cleanup() {
    local status=${1:-$?} pid
    for pid in "${STARTED_PIDS[@]}"; do kill "$pid" >/dev/null 2>&1 || true; done
    end_programs
    for pid in "${STARTED_PIDS[@]}"; do wait "$pid" >/dev/null 2>&1 || true; done
    if [ "$status" -eq 0 ] && [ "$FAILURES" -eq 0 ]; then rm -rf "$WORK"; else echo "logs kept in $WORK"; fi
}
trap cleanup EXIT

# --- Wine programs: their windows and processes ------------------------------------
# Where the kernel runs 32-bit programs, the 64-bit loader runs a 32-bit program in a
# process of its own: the command a script starts is start.exe /exec, which waits for the
# program, and the program's windows belong to the other process (which is no child of
# it). So a program's window is found by its X class (Wine names it after the program's
# file: "tamvera.exe") and title, its process by the PID the window reports
# (_NET_WM_PID), and programs are ended by their own processes: the same way for 32-bit
# and 64-bit programs, so the 64-bit lane runs these lookups too.

winpath() { echo "Z:${1//\//\\}"; }

# program_window FILE [TITLE]: the first visible window of the program FILE (its file
# name, "Tamvera.exe"), titled exactly TITLE when given; nothing when none is shown.
program_window() {
    local windows window
    windows=$(xdotool search --onlyvisible --classname "^${1//./\\.}\$" 2>/dev/null) || true
    for window in $windows; do
        [ $# -lt 2 ] || [ "$(xdotool getwindowname "$window" 2>/dev/null)" == "$2" ] || continue
        echo "$window"
        return 0
    done
}
program_shown() { [ -n "$(program_window "$@")" ]; }
# program_pid FILE [TITLE]: the process that shows that window.
program_pid() {
    local window
    window=$(program_window "$@")
    [ -z "$window" ] || xdotool getwindowpid "$window" 2>/dev/null || true
}
# Succeeds while the process PID runs (a 32-bit program's process, once ended, stays a
# zombie until init collects it, and kill -0 succeeds on a zombie).
process_alive() {
    local stat
    stat=$(cat "/proc/$1/stat" 2>/dev/null) || return 1
    stat=${stat##*) }
    [ "${stat:0:1}" != Z ]
}

# lane_programs [FILE...]: the processes of this prefix that run a program from the
# build, the test's folder or Tamvera's folder (only those files, when given). Wine names
# such a process after its program: by the Linux path for a 64-bit one, by the Windows
# path (Z:\...) for a 32-bit one run in a process of its own.
lane_programs() {
    local pid program tamvera_dir
    tamvera_dir=$(dirname "$TAMVERA_EXE")
    for pid in $(pgrep -u "$(id -u)" -f '\.exe' || true); do
        IFS= read -r -d '' program 2>/dev/null <"/proc/$pid/cmdline" || continue
        if [[ $program == Z:\\* ]]; then program=${program#Z:} && program=${program//\\//}; fi
        case $program in "$BUILD"/*.exe | "$WORK"/*.exe | "$tamvera_dir"/*.exe) ;; *) continue ;; esac
        [ $# -eq 0 ] || name_among "${program##*/}" "$@" || continue
        if grep -qzxF "WINEPREFIX=$WINEPREFIX" "/proc/$pid/environ" 2>/dev/null; then echo "$pid"; fi
    done
}
name_among() {
    local name=${1,,} other
    shift
    for other in "$@"; do [ "$name" != "${other,,}" ] || return 0; done
    return 1
}
# end_programs [FILE...]: ends those processes (all of lane_programs when no FILE is
# given) and returns once they are gone.
end_programs() {
    local pids
    for _ in $(seq 50); do
        pids=$(lane_programs "$@")
        [ -n "$pids" ] || return 0
        kill $pids >/dev/null 2>&1 || true
        sleep 0.1
    done
    kill -KILL $(lane_programs "$@") >/dev/null 2>&1 || true
}

log() { echo "[$(date +%T)] $*"; }
fail() {
    echo "FAIL: $*"
    FAILURES=$((FAILURES + 1))
}
pass() { echo "ok: $*"; }
finish() {
    if [ "$FAILURES" -ne 0 ]; then
        echo "$FAILURES check(s) failed"
        exit 1
    fi
    echo "all checks passed"
}

# Runs "$@" every 0.2 s until it succeeds or SECONDS pass; the result is the last run's.
poll() {
    local seconds=$1
    shift
    local deadline=$((SECONDS + seconds))
    until "$@"; do
        [ $SECONDS -lt $deadline ] || return 1
        sleep 0.2
    done
}

probe() { "$WINE" "$PROBE_EXE" "$@" 2>/dev/null | tr -d '\r'; }
# expect_text NAME TEXT: the control's text exactly as the window holds it (CR LF and
# trailing line ends included).
expect_text() {
    local got
    got=$("$WINE" "$PROBE_EXE" text "$1" 2>/dev/null; echo .)
    expect_eq "text of $1" "${got%.}" "$2"
}
# Succeeds when the control's text is exactly TEXT (for polling).
text_is() {
    local got
    got=$("$WINE" "$PROBE_EXE" text "$1" 2>/dev/null; echo .)
    [ "${got%.}" == "$2" ]
}

window_open() { "$WINE" "$PROBE_EXE" geometry >/dev/null 2>&1; }

# Starts Tamvera.exe and waits until its window is there (see await_tamvera).
start_tamvera() {
    "$WINE" "$TAMVERA_EXE" >"$WORK/tamvera.log" 2>&1 &
    STARTED_PIDS+=($!)
    await_tamvera
    sleep 1  # its first paint
}
# Waits until Tamvera's window is there; TAMVERA_PID is then the process showing it.
await_tamvera() {
    # The first Wine start in a fresh prefix can take seconds.
    poll 90 window_open || { echo "Tamvera's window did not open"; exit 1; }
    poll 10 program_shown "${TAMVERA_EXE##*/}" Tamvera || { echo "Tamvera's window is not on the display"; exit 1; }
    TAMVERA_PID=$(program_pid "${TAMVERA_EXE##*/}" Tamvera)
}

# start_beside_practice OUTFILE PRACTICE-ARGS...: starts the practice window writing its
# fields to OUTFILE, then Tamvera, and drags Tamvera below the practice window
# (648 x 199) by its title row, so that both stay in sight (both open at the origin).
start_beside_practice() {
    local out=$1
    shift
    "$WINE" "$LATIHAN_EXE" "$@" --out "$(winpath "$out")" >"$WORK/latihan.log" 2>&1 &
    STARTED_PIDS+=($!)
    poll 90 test -s "$out" || { echo "the practice target did not start"; exit 1; }
    start_tamvera
    read_origin
    press_move_release 1 200 10 200 230
    expect_origin "Tamvera moved below the practice window" 0 220
}

tamvera_running() { process_alive "$TAMVERA_PID"; }
tamvera_gone() { ! tamvera_running; }
# Every thread of every program of the prefix, with its call stack, into the work folder:
# a program that should have ended shows where it waits.
keep_thread_stacks() {
    timeout 60 "$WINE" winedbg --command "bt all" >"$WORK/threads.txt" 2>&1 || true
    echo "call stacks kept in $WORK/threads.txt"
}
# Fails with the call stacks of the program still there.
expect_tamvera_gone() {
    if poll 20 tamvera_gone; then pass "$1 ended the program${2:-}"; return; fi
    fail "still running after $1"
    keep_thread_stacks
    # Slow to end, or never ending: the two have different causes.
    if poll 60 tamvera_gone; then echo "note: it ended within a further minute"; else echo "note: still running a minute later"; fi
}

# The window's client origin on screen: ORIGIN_X ORIGIN_Y.
read_origin() { read -r _ ORIGIN_X ORIGIN_Y _ _ < <(probe geometry | grep '^client'); }
origin_is() {
    read_origin
    [ "$ORIGIN_X,$ORIGIN_Y" == "$1,$2" ]
}
# expect_origin WHAT X Y: the window reaches that place within 10 s.
expect_origin() {
    poll 10 origin_is "$2" "$3" || true
    expect_eq "$1" "$ORIGIN_X,$ORIGIN_Y" "$2,$3"
}

# --- Pointer and keys, in client coordinates of the window --------------------------
move_to() { xdotool mousemove --sync $((ORIGIN_X + $1)) $((ORIGIN_Y + $2)); sleep 0.15; }
click_at() {
    move_to "$1" "$2"
    xdotool mousedown "${3:-1}"
    sleep 0.1
    xdotool mouseup "${3:-1}"
    sleep 0.4
}
# Presses a button at one point, moves to another, releases (a drag).
press_move_release() {
    local button=$1
    move_to "$2" "$3"
    xdotool mousedown "$button"
    sleep 0.3
    move_to $(( ($2 + $4) / 2 )) $(( ($3 + $5) / 2 ))
    move_to "$4" "$5"
    sleep 0.3
    xdotool mouseup "$button"
    sleep 0.5
}

# --- Grade list and run -------------------------------------------------------------
click_grade_box() { click_at 80 420; }

# The text FILE holds, with CR LF line ends (as a paste from the X clipboard arrives).
crlf_of() { sed -z 's/\n/\r\n/g' "$1"; }

# Clicks the grade box (which empties it) and pastes FILE with Ctrl+V, through the X
# clipboard as a teacher's copy from a spreadsheet arrives.
paste_file() {
    click_grade_box
    xclip -quiet -selection clipboard -i "$1" >/dev/null 2>&1 &
    STARTED_PIDS+=($!)
    sleep 0.5
    xdotool key ctrl+v
}
# paste_list FILE: paste_file, then waits until the box holds the whole list.
paste_list() {
    paste_file "$1"
    local expected
    expected=$(crlf_of "$1"; echo .)
    if poll 60 text_is Txt_Nilai "${expected%.}"; then
        pass "the grade box holds the pasted list ($(probe length Txt_Nilai) characters)"
    else
        expect_text Txt_Nilai "${expected%.}"
    fi
}

# Succeeds when the grade box holds exactly N characters (for polling).
length_is() { [ "$(probe length Txt_Nilai)" == "$1" ]; }
dialog_open() { probe dialog >/dev/null; }
dialog_closed() { ! dialog_open; }
# The open box holds TEXT (a box is found a moment before its text is in it: poll this).
dialog_says() { probe dialog | grep -qF "$1"; }
# "Mulai", then the answer KEY (Return: OK, Escape: Cancel) to the confirmation.
start_run() {
    local key=${1:-Return}
    click_at 232 356
    if ! poll 30 dialog_open; then
        fail "no confirmation after Mulai"
        return 1
    fi
    poll 10 dialog_says "Jangan sentuh mouse/keyboard pada saat proses berlangsung!" ||
        fail "confirmation: $(probe dialog)"
    xdotool key "$key"
}

# --- Pixels -------------------------------------------------------------------------
shot() { /usr/bin/import -window root "$WORK/shot.png"; }
# "r g b" of the last screenshot at screen (x, y).
pixel() {
    /usr/bin/convert "$WORK/shot.png" -crop "1x1+$1+$2" +repage -depth 8 txt:- |
        sed -n '2s/^[^(]*(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p'
}
near_colour() {  # near_colour X Y R G B TOLERANCE (screen coordinates, last screenshot)
    local got gr gg gb
    got=$(pixel "$1" "$2")
    read -r gr gg gb <<<"$got"
    [ -n "$got" ] && [ $(( gr > $3 ? gr - $3 : $3 - gr )) -le "$6" ] && [ $(( gg > $4 ? gg - $4 : $4 - gg )) -le "$6" ] &&
        [ $(( gb > $5 ? gb - $5 : $5 - gb )) -le "$6" ]
}
# expect_colour WHAT X Y R G B [TOLERANCE]: client coordinates, each channel within
# TOLERANCE. Looks at the last screenshot first, then at new ones for up to 5 s (a
# repaint may still be on its way on a busy machine).
expect_colour() {
    local what=$1 x=$(( ORIGIN_X + $2 )) y=$(( ORIGIN_Y + $3 )) tol=${7:-6}
    local deadline=$((SECONDS + 5))
    until near_colour "$x" "$y" "$4" "$5" "$6" "$tol"; do
        if [ $SECONDS -ge $deadline ]; then
            fail "$what: expected ($4 $5 $6) at $2,$3, got ($(pixel "$x" "$y"))"
            return 0
        fi
        sleep 0.2
        shot
    done
    pass "$what: ($(pixel "$x" "$y")) at $2,$3"
}
# How many pixels of a client region (w h x y) in the last screenshot are near white.
white_pixels() {
    /usr/bin/convert "$WORK/shot.png" -crop "${1}x${2}+$((ORIGIN_X + $3))+$((ORIGIN_Y + $4))" +repage \
        -threshold 80% -format '%[fx:round(mean*w*h)]' info:
}

expect_eq() {
    if [ "$2" == "$3" ]; then pass "$1: $(printf %q "$2")"; else fail "$1: expected $(printf %q "$3"), got $(printf %q "$2")"; fi
}
