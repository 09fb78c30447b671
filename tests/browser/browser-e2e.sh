#!/usr/bin/env bash
# The real Tamvera.exe types a 40-pupil class into the web practice pages in a real
# browser, as a teacher runs it (paste, target, mode, "Cepat", "Mulai", ENTER): RAPOR
# Online Pilihan with every grade 1 to 100, RAPOR Online Isian (40 x 10, its duration
# reported), e-Rapor and Dapodik with values typed as they are; then another program's
# window comes to the front in the middle of a row: not one key reaches it, and the page
# keeps what was typed before. Last, a short class under a window manager, as on a
# teacher's desktop. Tamvera reads every value back from the browser's own field (the
# relay answers its reads, see lib.sh): a slow page that loses keys still gets every
# value at "Cepat", and a field that refuses its value is named to the teacher.
#
#   browser-e2e.sh BUILD chromium|firefox   (through scripts/wine-env.sh exec)
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

# Fields that show a value their own way (bentuk=): RAPOR Online's list of predicates
# ("A - Sangat Baik" ...) typed by their letters, and Dapodik's cells that show two
# decimals after a comma. Read back at "Cepat", each column learns its form from one
# retype that changed nothing: every value lands as its field shows it, and the closing
# message is the one line that says so, naming no value.
printf 'A\tb\tC\nd\t\tA\nB\tc\tD\n' >"$WORK/predikat.txt"
printf '85\t8.5\t7,25\n100\t\t60\n0\t90,5\t77\n' >"$WORK/desimal.txt"
# own_form_page TARGET MODE FORM EXAMPLE: the form's list into a 3 x 3 page of that form.
own_form_page() {
    log "$BROWSER: $1 $2 bentuk=$3, 3 x 3, read back"
    open_page "$BROWSER" "$1" "$2" 3 3 0 "bentuk=$3"
    choose "$1" "$2"
    paste_list "$WORK/$3.txt"
    shown_as "$3" <"$WORK/$3.txt" >"$WORK/shown-$3.txt"
    if CLOSING_EXPECTED=1 run_list cepat; then
        expect_page "$BROWSER $1 $2 bentuk=$3" "$WORK/shown-$3.txt"
        local line="Aplikasi menampilkan nilai dengan bentuknya sendiri, misalnya $4: nilai dianggap sama."
        [ "${CLOSING% }" = "$line" ] && pass "$BROWSER bentuk=$3: the closing message is the one line" ||
            fail "$BROWSER bentuk=$3: closing message: ${CLOSING:-(none)}"
        log "figure: $BROWSER $1 $2 bentuk=$3 3 x 3 at Cepat, read back: ENTER to the beeps $RUN_SECONDS s"
    fi
    close_page
}
own_form_page rapor pilihan predikat "A sebagai A - Sangat Baik"
own_form_page dapodik isian desimal "85 sebagai 85,00"

# Lists that ENTER opens (enter=buka: Chromium drops the list and moves the focus to its
# option, Firefox leaves it closed), a 12 x 5 class of sixty grades from 1 to 100 with
# 100 and the values whose choice keys repeat one digit (11, 22, ... 99) among them (the
# whole scale is the 40 x 3 class's above): read back, the
# page gets the keys of a run whose reads the relay never answers, not one more, and
# every value lands. The unread run is the measure only: a blind run cannot make up for
# a key the browser loses on a loaded machine, so what it landed is reported. Both
# durations are reported.
awk 'BEGIN { for (r = 0; r < 12; r++) { line = ""
        for (c = 0; c < 5; c++) line = line (c ? "\t" : "") (((r * 5 + c) * 37) % 100 + 1)
        printf "%s%s", (r ? "\n" : ""), line } }' >"$WORK/pilihan-buka.txt"
# opened_lists [unread]: the class typed at "Cepat"; KEY_DOWNS the keys the page got.
opened_lists() {
    local unread=${1:+1} how=${1:+unread}
    log "$BROWSER: rapor pilihan, 12 x 5, ENTER opens the lists${unread:+, the relay answering no reads}"
    BLIND=$unread open_page "$BROWSER" rapor pilihan 12 5 0 enter=buka
    choose rapor pilihan
    paste_list "$WORK/pilihan-buka.txt"
    KEY_DOWNS=
    if CLOSING_EXPECTED=$unread run_list cepat; then
        if [ -n "$unread" ]; then
            page_holds "$WORK/pilihan-buka.txt" || true
            log "$BROWSER rapor pilihan, lists opened by ENTER, unread: landed $LANDED"
        else
            expect_page "$BROWSER rapor pilihan, lists opened by ENTER, read back" "$WORK/pilihan-buka.txt"
        fi
        KEY_DOWNS=$(key_downs)
        log "figure: $BROWSER rapor pilihan 12 x 5, lists opened by ENTER, ${how:-read back}, at Cepat: ENTER to the beeps $RUN_SECONDS s, $KEY_DOWNS key-downs"
    fi
    close_page
}
opened_lists unread
UNREAD_KEY_DOWNS=$KEY_DOWNS UNREAD_SECONDS=$RUN_SECONDS
opened_lists
if [ -n "$UNREAD_KEY_DOWNS" ] && [ -n "$KEY_DOWNS" ]; then
    [ "$KEY_DOWNS" = "$UNREAD_KEY_DOWNS" ] && pass "$BROWSER: read back, the unread run's $KEY_DOWNS key-downs" ||
        fail "$BROWSER: read back $KEY_DOWNS key-downs, unread $UNREAD_KEY_DOWNS"
    log "figure: $BROWSER lists opened by ENTER at Cepat: read back $RUN_SECONDS s against unread $UNREAD_SECONDS s ($(awk -v a="$RUN_SECONDS" -v b="$UNREAD_SECONDS" 'BEGIN { printf "%.2f", a / b }') x)"
fi

# A slow page (busy 1000 ms after each stored value, or a time drawn from 0 to 1000 ms for
# each, losing the keys typed into that field meanwhile): what the reads find lost is
# typed again, a lost navigation key is sent again (also the one that skips an empty
# cell), the pace slows to the page's, and every value lands at "Cepat". (Isian and
# e-Rapor lose nothing to it: the TAB that stores a value has moved on already.)
printf '81\tB+\t83\n(A)\t\t90\n87\t88\t89\n' >"$WORK/slow-isian.txt"
printf '85\t11\t99\n7\t\t22\n9\t77\t100\n' >"$WORK/slow-pilihan.txt"
slow_page() {
    log "$BROWSER: $1 $2, 3 x 3, the page busy $3 ms after each value"
    open_page "$BROWSER" "$1" "$2" 3 3 "$3"
    choose "$1" "$2"
    paste_list "$WORK/slow-$2.txt"
    if run_list cepat; then
        expect_page "$BROWSER $1 $2 at a $3 ms lag" "$WORK/slow-$2.txt"
        log "figure: $BROWSER $1 $2 3 x 3, $3 ms lag, at Cepat: ENTER to the beeps $RUN_SECONDS s"
    fi
    close_page
}
slow_page rapor isian 1000
slow_page rapor pilihan 1000
slow_page erapor isian 1000
slow_page dapodik isian 1000
slow_page rapor pilihan 0-1000
slow_page dapodik isian 0-1000

# A field that never takes its value is named in the closing message with its row and
# column in the pasted list; every other value lands.
log "$BROWSER: a field that refuses every value (row 2, column 3)"
printf '81\tB+\t83\n(A)\t85\t90\n87\t88\t89\n' >"$WORK/refused-list.txt"
printf '81\tB+\t83\n(A)\t85\t\n87\t88\t89\n' >"$WORK/refused-page.txt"
open_page "$BROWSER" rapor isian 3 3 0 tolak=2,3
choose rapor isian
paste_list "$WORK/refused-list.txt"
CLOSING_EXPECTED=1
if run_list cepat; then
    case $CLOSING in
    *'Baris 2, kolom 3: seharusnya "90", terisi kosong'*) pass "the closing message names row 2, column 3" ;;
    *) fail "closing message: ${CLOSING:-(none)}" ;;
    esac
    expect_page "$BROWSER: every other value" "$WORK/refused-page.txt"
fi
CLOSING_EXPECTED=
close_page

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
