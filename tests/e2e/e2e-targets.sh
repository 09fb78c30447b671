#!/usr/bin/env bash
# A class list typed into each target in each mode it allows, by one Tamvera as a
# teacher runs it: paste, choose target, mode and "Cepat", "Mulai", ENTER. Then values
# the key-string syntax would misread and letters beyond ASCII, a list copied with LF or
# CR line ends, and "Cancel" at the confirmation.
source "$(dirname "$0")/lib.sh"

make_class_list "$WORK/kelas.txt"
values=$(values_in "$WORK/kelas.txt")

start_tamvera_recorded
log "figure: start-up until the window is there: $STARTUP_SECONDS s"

# run_class TARGET MODE: the class list into a fresh practice form of that kind.
run_class() {
    log "class list: $1 $2"
    start_practice "$1" "$2" 40 3
    choose "$1" "$2" cepat
    paste_list "$WORK/kelas.txt"
    local before
    before=$(beeps)
    start_run || return 0
    expected_out_of "$WORK/kelas.txt" >"$WORK/expected.txt"
    expect_out "$1 $2: every value in its field" "$WORK/expected.txt"
    poll 30 beeps_are $((before + 2)) && pass "$1 $2: two beeps at the end" || fail "$1 $2: beeps $(beeps), before $before"
    expect_text Txt_Perkembangan "$values dari $values Nilai"
    expect_text Txt_Waktu "0 Detik Lagi"
    expect_handoff_of "$WORK/kelas.txt"
    stop_practice
}
run_class rapor pilihan
run_class rapor isian
run_class erapor isian
run_class dapodik isian

log "values the key-string syntax would misread, and letters beyond ASCII"
printf 'B+\t85%%\t(A)\t~\n{TAB}\t\xc3\xa9\t\xe2\x82\xac\t 85\n^7\t{\t}\t+' >"$WORK/special.txt"
start_practice rapor isian 3 4
choose rapor isian cepat
paste_list "$WORK/special.txt"
before=$(beeps)
start_run
expected_out_of "$WORK/special.txt" >"$WORK/expected.txt"
expect_out "every value as written" "$WORK/expected.txt" 120
poll 30 beeps_are $((before + 2)) || fail "no beeps at the end"
expect_text Txt_Perkembangan "12 dari 12 Nilai"
expect_handoff_of "$WORK/special.txt"
stop_practice

log "a list copied with LF or CR line ends (put on the Windows clipboard as it is)"
printf '85\t90\n7\t100\r\t55\n' >"$WORK/lf.txt"
printf '85\t90\n7\t100\n\t55\n' >"$WORK/rows.txt"
start_practice rapor isian 4 2
choose rapor isian cepat
click_grade_box
helper clipboard "$(winpath "$WORK/lf.txt")" >/dev/null || fail "clipboard helper"
xdotool key ctrl+v
poll 20 text_is Txt_Nilai $'85\t90\r\n7\t100\r\n\t55\r\n' || true
expect_text Txt_Nilai $'85\t90\r\n7\t100\r\n\t55\r\n'
before=$(beeps)
start_run
expected_out_of "$WORK/rows.txt" >"$WORK/expected.txt"
expect_out "one row per line" "$WORK/expected.txt" 120
poll 30 beeps_are $((before + 2)) || fail "no beeps at the end"
expect_handoff_of "$WORK/rows.txt"

log "Cancel at the confirmation"
rm -f "$HANDOFF"
start_practice rapor isian 2 2
empty_out >"$WORK/empty.txt"
choose rapor isian cepat
paste_list "$WORK/rows.txt"
progress=$(probe text Txt_Perkembangan)
before=$(beeps)
start_run Escape
poll 20 dialog_closed && pass "confirmation closed" || fail "confirmation still open"
sleep 4  # the start's wait and the first keys, had the run started
if [ -e "$HANDOFF" ]; then fail "a hand-off file was written"; else pass "no hand-off file"; fi
if out_is "$WORK/empty.txt"; then pass "no key reached the practice target"; else fail "out-file: $(head -c 200 "$OUT")"; fi
expect_eq "beeps after Cancel" "$(beeps)" "$before"
expect_eq "the window in front after Cancel" "$(helper foreground)" "Tamvera"
expect_text Txt_Perkembangan "$progress"
if dialog_open; then fail "a message after Cancel: $(probe dialog)"; else pass "no message after Cancel"; fi
if tamvera_answers; then pass "Tamvera open and answering"; else fail "Tamvera gone or hung"; fi

finish
