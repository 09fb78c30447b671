#!/usr/bin/env bash
# Figures, reported and never asserted as times: a class typed at "Cepat" into fields
# that show a value their own way, blind (the target answers no reads) and with reads:
# the practice window's (--bentuk), or with BROWSER=chromium|firefox the web practice
# pages' (bentuk=) in that browser through the relay (tests/browser/lib.sh). Every value
# must land as the field shows it, and a run with reads ends with no message but the one
# line on the application's own form. Each run also counts the reads the target answered
# and, in a browser, the key-downs it received.
#
#   [BROWSER=...] e2e-value-forms.sh BUILD [ROWS [RUN...]]   (through scripts/wine-env.sh
#   exec; not part of the CTest suite); a RUN is "FORM TARGET MODE" (FORM: predikat,
#   desimal, kapital or biasa), by default the practice window's three and in a browser
#   each form once
if [ -n "${BROWSER:-}" ]; then
    source "$(dirname "$0")/../browser/lib.sh"
else
    source "$(dirname "$0")/lib.sh"
fi
rows=${2:-40}

seconds_since() { awk -v a="$1" -v b="$(date +%s.%N)" 'BEGIN { printf "%.1f", b - a }'; }

# class_of FILE ROWS COLS VALUE...: the values in turn, cell by cell, every seventh cell empty.
class_of() {
    local file=$1 rows=$2 cols=$3
    shift 3
    awk -v rows="$rows" -v cols="$cols" -v values="$*" 'BEGIN { n = split(values, v, " ")
        for (r = 0; r < rows; r++) { line = ""
            for (c = 0; c < cols; c++) { i = r * cols + c; line = line (c ? "\t" : "") (i % 7 == 3 ? "" : v[i % n + 1]) }
            printf "%s%s", (r ? "\n" : ""), line } }' >"$file"
}
# timed_run WHAT LIST TARGET MODE FORM [OPTION...]: one run; its duration from the ENTER
# that confirms the start to the two beeps, what landed and the closing message.
timed_run() {
    local what=$1 list=$2 form=$5 before started seconds message
    start_practice "$3" "$4" "$(awk 'END { print NR }' "$list")" "$(head -n1 "$list" | awk -F'\t' '{ print NF }')" \
        --bentuk "$form" "${@:6}"
    choose "$3" "$4" cepat
    paste_list "$list"
    before=$(beeps)
    started=$(date +%s.%N)
    start_run
    poll 900 beeps_are $((before + 2)) || fail "$what: beeps $(beeps), before $before"
    seconds=$(seconds_since "$started")
    shown_as "$form" <"$list" >"$WORK/shown.txt"
    expected_out_of "$WORK/shown.txt" >"$WORK/expected.txt"
    expect_out "$what: every value landed" "$WORK/expected.txt" 10
    sleep 1
    message=$(probe dialog 2>/dev/null | tr '\n' ' ' || true)
    log "figure: $what: $seconds s; $(awk '{ c[$1] = $2 } END { printf "characters typed %d, reads answered %d", c["diketik"], c["dibaca"] }' "$OUT.huruf");" \
        "closing message: ${message:-none}"
    [ -z "$message" ] || close_message
    stop_practice
}

# timed_page WHAT LIST TARGET MODE FORM [BLIND]: the same into a fresh web page of that
# form; the duration is run_list's (from the ENTER to the beeps).
timed_page() {
    local what=$1 list=$2 form=$5 reads_before
    reads_before=$(reads_logged)
    BLIND=${6:-} open_page "$BROWSER" "$3" "$4" "$(awk 'END { print NR }' "$list")" \
        "$(head -n1 "$list" | awk -F'\t' '{ print NF }')" 0 "bentuk=$form"
    choose "$3" "$4"
    paste_list "$list"
    CLOSING_EXPECTED=1 run_list cepat || fail "$what: the run did not end"
    shown_as "$form" <"$list" >"$WORK/shown.txt"
    expect_page "$what: every value landed" "$WORK/shown.txt"
    log "figure: $what: $RUN_SECONDS s; key-downs $(key_downs); $(reads_since "$reads_before");" \
        "closing message: ${CLOSING:-none}"
    close_page
}
# The reads the relay has answered so far (one line each in its log, with their times).
reads_logged() { cat "$WORK/relay.log" 2>/dev/null | grep -c '^read:' || true; }
# reads_since N: the reads answered after the first N, and their mean time in the reader.
reads_since() {
    grep '^read:' "$WORK/relay.log" 2>/dev/null | awk -v n="$1" 'NR > n { m++; t += $3 }
        END { printf "%d reads answered, %.0f ms each in the reader", m, m ? t / m : 0 }'
}

[ -z "${BROWSER:-}" ] || start_server
start_tamvera_recorded
class_of "$WORK/predikat.txt" "$rows" 3 A B c D a B C d
class_of "$WORK/desimal.txt" "$rows" 3 85 8.5 7,25 100 60 0 90,5 77
class_of "$WORK/kapital.txt" "$rows" 3 b lulus a tuntas B c
cp "$WORK/desimal.txt" "$WORK/biasa.txt"
runs=("predikat rapor pilihan" "desimal dapodik isian" "desimal rapor isian")
[ -z "${BROWSER:-}" ] || runs=("predikat rapor pilihan" "desimal rapor isian" "desimal dapodik isian" "kapital erapor isian")
[ $# -le 2 ] || runs=("${@:3}")
for run in "${runs[@]}"; do
    read -r form target mode <<<"$run"
    if [ -n "${BROWSER:-}" ]; then
        timed_page "$BROWSER $target $mode $form, blind" "$WORK/$form.txt" "$target" "$mode" "$form" 1
        timed_page "$BROWSER $target $mode $form, with reads" "$WORK/$form.txt" "$target" "$mode" "$form"
    else
        timed_run "$target $mode $form, blind" "$WORK/$form.txt" "$target" "$mode" "$form" --tanpa-baca
        timed_run "$target $mode $form, with reads" "$WORK/$form.txt" "$target" "$mode" "$form"
    fi
done
