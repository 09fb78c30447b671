#!/usr/bin/env bash
# A run stopped part-way goes on from there ("Lanjutkan"): a 10 x 4 class that another
# program's window interrupts after about a dozen values. Clicked one field too early, the
# run goes on from nothing: no key, and the box names the field's row and column; clicked
# where the box says, "Mulai", Ya: every value lands once, in its own field.
#
#   e2e-resume.sh BUILD
source "$(dirname "$0")/lib.sh"

start_tamvera_recorded
start_resume_class

log "another program takes the front once the twelfth value is in"
stop_class_at 12 61
# Every value before the stop is in, none after it.
awk -F'\t' -v OFS='\t' -v n="$typed" '{ for (i = 1; i <= NF; i++) if (++k > n) $i = "" } { print }' \
    "$WORK/expected.txt" >"$WORK/stopped.txt"
expect_out "the values before the stop are in, none after it" "$WORK/stopped.txt" 5

log "the field before the one the box names clicked: nothing typed, the box names it"
early=$(((row - 1) * PRACTICE_COLS + col - 1))
early_row=$(((early - 1) / PRACTICE_COLS + 1)) early_col=$(((early - 1) % PRACTICE_COLS + 1))
click_field "$early_row" "$early_col"
before=$(beeps)
go_on_from "$row" "$col"
if poll 30 dialog_says "Kolom ini sudah diisi: baris $early_row, kolom $early_col."; then
    pass "the box names row $early_row, column $early_col"
else
    fail "no box naming the field: $(probe dialog)"
fi
sleep 0.5
out_is "$WORK/stopped.txt" && pass "no key reached the practice window" || fail "the out-file changed: $(cat -A "$OUT" | head -5)"
close_message

log "the field the box names clicked: the run goes on from there"
click_field "$row" "$col"
before=$(beeps)
go_on_from "$row" "$col"
poll 120 beeps_are $((before + 2)) && pass "the run ended with its two beeps" || fail "beeps: $(beeps), before $before"
expect_out "every value once, in its own field" "$WORK/expected.txt" 10
sleep 1
dialog_closed && pass "every value confirmed, no message" || fail "a message: $(probe dialog)"
expect_text Txt_Perkembangan "40 dari 40 Nilai"
stop_practice

finish
