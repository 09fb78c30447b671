#!/usr/bin/env bash
# How a run ends when something is not right: no target window open; another program's
# window brought to the front in the middle of a row (no key may reach it), and during
# the two seconds before the first key. Beeps are read from Tamvera's terminal (see
# start_tamvera_recorded).
source "$(dirname "$0")/lib.sh"

make_class_list "$WORK/kelas.txt"
start_tamvera_recorded
progress_start=$(probe text Txt_Perkembangan)

log "no target window: an e-Rapor window is open, RAPOR Online is chosen"
start_practice erapor isian 40 3
empty_out >"$WORK/empty.txt"
choose rapor isian cepat
paste_list "$WORK/kelas.txt"
before=$(beeps)
start_run
if poll 30 apology_open; then pass "the apology"; else fail "no apology: $(probe dialog)"; fi
expect_eq "title of the apology" "$(probe dialog | head -n1)" "title Tamvera"
sleep 3
expect_eq "beeps" "$(beeps)" "$before"
close_apology
# The typing loop never began: its first act, the count, would have changed the text.
expect_text Txt_Perkembangan "$progress_start"
if out_is "$WORK/empty.txt"; then pass "the other window got no key"; else fail "out-file: $(head -c 200 "$OUT")"; fi
if tamvera_answers; then pass "Tamvera open and answering"; else fail "Tamvera gone or hung"; fi
stop_practice

log "another program comes to the front inside a row, after a value's keys: Isian, Cepat"
printf '81\t82\t83\n84\t85\t86\n87\t88\t89\n90\t91\t92\n' >"$WORK/rows.txt"
printf '81\t82\t83\n84\t85\t\n\t\t\n\t\t\n' >"$WORK/expected.txt"
start_practice rapor isian 4 3
choose rapor isian cepat
paste_list "$WORK/rows.txt"
stop_mid_row "Isian, Cepat" "$WORK/expected.txt" 5 85
stop_practice

log "another program comes to the front inside a row, after a value's presses: Pilihan, Lambat"
printf '85\t9\t77\n60\t70\t80\n' >"$WORK/rows.txt"
printf '85\t9\t\n\t\t\n' >"$WORK/expected.txt"
start_practice rapor pilihan 2 3
choose rapor pilihan lambat
paste_list "$WORK/rows.txt"
stop_mid_row "Pilihan, Lambat" "$WORK/expected.txt" 2 9
stop_practice

log "another program comes to the front during the two seconds before the first key"
start_practice rapor isian 40 3
empty_out >"$WORK/empty.txt"
choose rapor isian cepat
paste_list "$WORK/kelas.txt"
# Waits for the practice window to be activated by the run, then takes the front.
"$WINE" "$HELPER_EXE" window "Kalkulator" "RAPOR Online - Latihan" >"$WORK/other.log" 2>&1 &
OTHER_PID=$!
STARTED_PIDS+=("$OTHER_PID")
sleep 2  # the helper is up and watching
before=$(beeps)
start_run
poll 30 other_shown && pass "the other window took the front after the activation" || fail "the other window never showed"
if poll 30 apology_open; then pass "the run stopped with the apology"; else fail "no apology: $(probe dialog)"; fi
close_apology
poll 20 beeps_are $((before + 2)) && pass "the run ended with its two beeps" || fail "beeps: $(beeps), before $before"
sleep 1
if out_is "$WORK/empty.txt"; then pass "no key reached the practice target"; else fail "out-file: $(head -n 3 "$OUT" | cat -A)"; fi
if tamvera_answers; then pass "Tamvera open and answering"; else fail "Tamvera gone or hung"; fi
stop_other

finish
