#!/usr/bin/env bash
# Hard grade lists: each is typed completely and exactly, or refused with the apology
# before any key; the program never crashes or hangs. The long lists are checked as far
# as a teacher would see them go right (the whole paste in the box, the hand-off file,
# the total, the first values typed), then "Berhenti" ends the program mid-run and no
# key follows.
source "$(dirname "$0")/lib.sh"

start_tamvera_recorded

# typed_exactly WHAT LIST ROWS COLS EXPECTED: a run of LIST into a fresh fill-in form,
# ending with the form holding EXPECTED and the two beeps.
typed_exactly() {
    log "$1"
    start_practice rapor isian "$3" "$4"
    choose rapor isian cepat
    if [ -s "$2" ]; then paste_list "$2"; else click_grade_box; expect_text Txt_Nilai ""; fi
    local before
    before=$(beeps)
    start_run
    poll 300 beeps_are $((before + 2)) && pass "$1: the run ended with its two beeps" || fail "$1: no end"
    expect_out "$1: the fields" "$5" 10
    expect_handoff_of "$2"
    if tamvera_answers; then pass "$1: Tamvera open and answering"; else fail "$1: Tamvera gone or hung"; fi
    stop_practice
}

# refused WHAT LIST: the apology and no key, no beep.
refused() {
    log "$1"
    start_practice rapor isian 2 2
    empty_out >"$WORK/empty.txt"
    choose rapor isian cepat
    paste_list "$2"
    local before
    before=$(beeps)
    start_run
    if poll 60 apology_open; then pass "$1: refused with the apology"; else fail "$1: no apology: $(probe dialog)"; fi
    sleep 2
    if out_is "$WORK/empty.txt"; then pass "$1: no key"; else fail "$1: out-file: $(head -c 100 "$OUT" | cat -A)"; fi
    close_apology
    expect_eq "$1: beeps" "$(beeps)" "$before"
    if tamvera_answers; then pass "$1: Tamvera open and answering"; else fail "$1: Tamvera gone or hung"; fi
    stop_practice
}

PRACTICE_ROWS=3 PRACTICE_COLS=2
: >"$WORK/nothing.txt"
empty_out >"$WORK/empty-3x2.txt"
typed_exactly "an empty list" "$WORK/nothing.txt" 3 2 "$WORK/empty-3x2.txt"
printf '\n\n\n' >"$WORK/breaks.txt"
typed_exactly "only line breaks" "$WORK/breaks.txt" 3 2 "$WORK/empty-3x2.txt"
printf '\t\t\t' >"$WORK/tabs.txt"
typed_exactly "only TABs" "$WORK/tabs.txt" 3 2 "$WORK/empty-3x2.txt"

# One row of 300 values lands in a form of 30 rows x 10: TAB goes on row by row.
awk 'BEGIN { for (i = 0; i < 300; i++) printf "%s%d", (i ? "\t" : ""), (i * 7) % 100 + 1 }' >"$WORK/wide.txt"
tr '\t' '\n' <"$WORK/wide.txt" | paste - - - - - - - - - - >"$WORK/wide-expected.txt"
typed_exactly "a row of 300 values" "$WORK/wide.txt" 30 10 "$WORK/wide-expected.txt"

printf '85\t\xc5\x9f\n\xe4\xb8\xad\t90' >"$WORK/outside.txt"
refused "letters outside code page 1252 (ş, 中)" "$WORK/outside.txt"
awk 'BEGIN { for (i = 0; i < 32767; i++) printf "%s7", (i ? "\n" : "") }' >"$WORK/too-many-rows.txt"
refused "32,767 rows, one beyond the row limit" "$WORK/too-many-rows.txt"

# stop_mid_run WHAT LIST: after the first rows, "Berhenti" ends the program; the form
# keeps what it had and no key follows.
stop_mid_run() {
    local what=$1 list=$2
    head -n 3 "$list" >"$WORK/first-rows.txt"
    first_rows_typed() { [ "$(head -n 3 "$OUT")" == "$(cat "$WORK/first-rows.txt")" ]; }
    poll 60 first_rows_typed && pass "$what: the first values typed" || fail "$what: out-file $(head -n 3 "$OUT" | cat -A)"
    local progress
    progress=$(probe text Txt_Perkembangan)
    if [[ $progress =~ ^[1-9][0-9]*\ dari\ $(values_in "$list")\ Nilai$ ]]; then
        pass "$what: progress $progress"
    else
        fail "$what: progress $progress"
    fi
    expect_handoff_of "$list"
    click_berhenti
    if poll 10 tamvera_gone; then pass "$what: \"Berhenti\" ended the program mid-run"; else fail "$what: still running"; fi
    cp "$OUT" "$WORK/at-stop.txt"
    sleep 3
    if out_is "$WORK/at-stop.txt"; then pass "$what: no key after the end (the form unchanged 3 s later)"; else fail "$what: the form changed after the end"; fi
    local at
    at=$(stopped_at "$list")
    if [ "$at" != mixed ]; then
        pass "$what: the form holds the list up to cell $at (+: and the start of the next value), nothing after it"
    else
        fail "$what: the form holds more than the start of the list: $(head -n 5 "$OUT" | cat -A)"
    fi
}

log "2,000 rows"
awk 'BEGIN { for (r = 0; r < 2000; r++) printf "%s%d\t%d\t%d", (r ? "\n" : ""), 60 + r % 40, 70 + r % 30, 80 + r % 20 }' \
    >"$WORK/rows2000.txt"
start_practice rapor isian 2000 3
choose rapor isian cepat
paste_list "$WORK/rows2000.txt"
start_run
stop_mid_run "2,000 rows" "$WORK/rows2000.txt"
stop_practice

log "a 1 MB paste: 26,000 rows of 10 values"
awk 'BEGIN { for (r = 0; r < 26000; r++) { line = ""
        for (c = 0; c < 10; c++) line = line (c ? "\t" : "") 100 + (r * 10 + c) % 900
        printf "%s%s", (r ? "\n" : ""), line } }' >"$WORK/big.txt"
bytes=$(wc -c <"$WORK/big.txt")
start_tamvera_recorded
start_practice rapor isian 100 10
choose rapor isian cepat
paste_started=$(date +%s.%N)
paste_file "$WORK/big.txt"
poll 180 length_is $((bytes + 25999)) || true  # a CR before each of the 25,999 LFs
log "figure: the $bytes-byte paste was whole after $(awk -v a="$paste_started" -v b="$(date +%s.%N)" 'BEGIN { printf "%.1f", b - a }') s"
expect_eq "characters in the grade box" "$(probe length Txt_Nilai)" "$((bytes + 25999))"
start_run
stop_mid_run "1 MB" "$WORK/big.txt"
stop_practice

finish
