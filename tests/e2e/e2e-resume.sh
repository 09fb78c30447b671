#!/usr/bin/env bash
# A run stopped part-way goes on from there ("Lanjutkan"): a 10 x 4 class that another
# program's window interrupts after about a dozen values. Clicked one field too early, the
# run goes on from nothing: no key, and the box names the field's row and column; clicked
# where the box says, "Mulai", Ya: every value lands once, in its own field.
#
#   e2e-resume.sh BUILD
source "$(dirname "$0")/lib.sh"

PRACTICE_TITLE="RAPOR Online - Latihan"
# click_field ROW COL: a click on the practice window's grade field (counted from 1).
click_field() {
    local xy
    if ! xy=$(helper field "$PRACTICE_TITLE" $(((${1} - 1) * PRACTICE_COLS + ${2}))); then
        fail "no place for field $1, $2"
        return 1
    fi
    # shellcheck disable=SC2086  # "X Y"
    xdotool mousemove --sync $xy click 1
    sleep 0.5
}
box_says() { probe dialog | grep -qF "$1"; }
# "Mulai", Ya at the box that asks to go on (its default button), OK at the confirmation.
go_on_from() {
    click_at 232 356
    if poll 30 box_says "Lanjutkan dari baris $1, kolom $2"; then
        pass "Mulai asks to go on from row $1, column $2"
    else
        fail "no box asking to go on: $(probe dialog)"
        return 1
    fi
    box_says "Ya: pengisian dilanjutkan dari nilai itu. Tidak: pengisian dimulai lagi dari awal." ||
        fail "the box: $(probe dialog)"
    box_takes_x_focus
    xdotool key Return
    poll 30 box_says "Jangan sentuh mouse/keyboard pada saat proses berlangsung!" || { fail "no confirmation after Ya"; return 1; }
    box_takes_x_focus
    xdotool key Return
}

start_tamvera_recorded
awk 'BEGIN { for (r = 0; r < 10; r++) { line = ""
             for (c = 0; c < 4; c++) line = line (c ? "\t" : "") (50 + 4 * r + c)
             print line } }' >"$WORK/kelas.txt"
start_practice rapor isian 10 4
expected_out_of "$WORK/kelas.txt" >"$WORK/expected.txt"
choose rapor isian cepat
paste_list "$WORK/kelas.txt"

log "another program takes the front once the twelfth value is in"
start_other_at_cell 12 61
before=$(beeps)
start_run
poll 60 other_shown && pass "the other window took the front" || fail "the other window never showed"
poll 30 apology_open && pass "the run stopped with the apology" || fail "no apology: $(probe dialog)"
stop_line=$(probe dialog | grep -oE 'Pengisian berhenti di baris [0-9]+, kolom [0-9]+: [0-9]+ dari 40 nilai sudah diketik\.' || true)
[ -n "$stop_line" ] && pass "the apology says: $stop_line" || fail "no stop line: $(probe dialog)"
read -r row col typed <<<"$(sed -E 's/.*baris ([0-9]+), kolom ([0-9]+): ([0-9]+) dari.*/\1 \2 \3/' <<<"$stop_line")"
close_apology
poll 20 beeps_are $((before + 2)) || fail "beeps: $(beeps), before $before"
stop_other
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
if poll 30 box_says "Kolom ini sudah diisi: baris $early_row, kolom $early_col."; then
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
