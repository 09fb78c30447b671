#!/usr/bin/env bash
# The real Tamvera.exe types a 40-pupil class into the web practice pages in a real
# browser, as a teacher runs it (paste, target, mode, "Cepat", "Mulai", ENTER): RAPOR
# Online Pilihan with every grade 1 to 100, RAPOR Online Isian (40 x 10, its duration
# reported), e-Rapor and Dapodik with values typed as they are; then another program's
# window comes to the front in the middle of a row: not one key reaches it, and the page
# keeps what was typed before. Last, a short class under a window manager, as on a
# teacher's desktop.
#
#   browser-e2e.sh BUILD chromium|firefox   (run through scripts/wine-env.sh exec)
source "$(dirname "$0")/lib.sh"
BROWSER=${2:?chromium or firefox}

# 40 x 3: the grades 1 to 100, each once, in a scattered order; 20 empty cells.
awk 'BEGIN { k = 0
    for (r = 0; r < 40; r++) { line = ""
        for (c = 0; c < 3; c++) { i = r * 3 + c
            cell = (i * 7) % 120 < 20 ? "" : (k++ * 37) % 100 + 1
            line = line (c ? "\t" : "") cell }
        printf "%s%s", (r ? "\n" : ""), line } }' >"$WORK/pilihan.txt"
# 40 x COLS of values typed as they are, empty cells among them.
literal_list() {
    awk -v cols="$1" 'BEGIN { split("85|B+|90|85%|(A)|77|\xc3\xa9|100|7|60|92", v, "|")
        for (r = 0; r < 40; r++) { line = ""
            for (c = 0; c < cols; c++) { i = r * cols + c
                cell = (i * 7) % (40 * cols) < 4 * cols ? "" : v[i % 11 + 1]
                line = line (c ? "\t" : "") cell }
            printf "%s%s", (r ? "\n" : ""), line } }'
}
literal_list 10 >"$WORK/isian-10.txt"
literal_list 2 >"$WORK/isian-2.txt"

start_server
start_tamvera_recorded

# run_page TARGET MODE COLS LIST: the list typed into a fresh page of that kind at
# "Cepat"; the run's duration is reported against its own pauses.
run_page() {
    log "$BROWSER: $1 $2, 40 x $3"
    open_page "$BROWSER" "$1" "$2" 40 "$3"
    choose "$1" "$2"
    paste_list "$4"
    if run_list cepat; then
        expect_page "$BROWSER $1 $2" "$4"
        log "figure: $BROWSER $1 $2 40 x $3 at Cepat: ENTER to the beeps $RUN_SECONDS s, the run's own pauses $(pauses_of "$2" "$4" 0.1) s"
    fi
    close_page
}
run_page rapor pilihan 3 "$WORK/pilihan.txt"
run_page rapor isian 10 "$WORK/isian-10.txt"
run_page erapor isian 2 "$WORK/isian-2.txt"
run_page dapodik isian 2 "$WORK/isian-2.txt"

# "Lambat": the page reports a value a moment after its keys; the other window must be in
# front before the TAB that follows the value (0.3 s later).
log "$BROWSER: another program comes to the front inside a row, after a value's keys"
printf '81\tB+\t83\n(A)\t85\t\xc3\xa9\n87\t88\t89\n' >"$WORK/rows.txt"
printf '81\tB+\t83\n(A)\t85\t\n\t\t\n' >"$WORK/stopped.txt"
open_page "$BROWSER" rapor isian 3 3
choose rapor isian lambat
paste_list "$WORK/rows.txt"
stop_mid_row "$BROWSER" "$WORK/stopped.txt" 5 85
close_page

# A window manager offers a new or raised window the X focus. The relay must become the
# foreground window under Wine without taking the X focus from the browser, or Wine makes
# the desktop the foreground at the replayer's first key and the run stops there.
log "$BROWSER: a short class under a window manager (openbox)"
setsid openbox --sm-disable >"$WORK/openbox.log" 2>&1 </dev/null &
WM_PID=$!
STARTED_PIDS+=("$WM_PID")
wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'; }
poll 20 wm_running || fail "openbox did not start: $(tail -n 3 "$WORK/openbox.log")"
printf '85\t\t100\n1\t57\t9\n' >"$WORK/managed.txt"
open_page "$BROWSER" rapor pilihan 2 3
choose rapor pilihan
paste_list "$WORK/managed.txt"
run_list cepat && expect_page "$BROWSER under a window manager" "$WORK/managed.txt"
close_page
kill "$WM_PID" 2>/dev/null || true
wait "$WM_PID" 2>/dev/null || true
xprop -root -remove _NET_SUPPORTING_WM_CHECK  # the display goes on without one

finish
