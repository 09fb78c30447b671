#!/usr/bin/env bash
# How a run ends when something is not right: no target window open; another program's
# window brought to the front during the run, and during the two seconds before the
# first key. Beeps are read from Tamvera's terminal (see start_tamvera_recorded).
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

log "another program comes to the front in the middle of the run"
start_practice rapor isian 40 3
other_window_mid_run "$WORK/kelas.txt"
expect_eq "the last row" "$(tail -n1 "$OUT")" $'\t\t'
if tamvera_answers; then pass "Tamvera open and answering"; else fail "Tamvera gone or hung"; fi
kill "$OTHER_PID" >/dev/null 2>&1 || true
wait "$OTHER_PID" >/dev/null 2>&1 || true
stop_practice

log "another program comes to the front during the two seconds before the first key"
start_practice rapor isian 40 3
empty_out >"$WORK/empty.txt"
choose rapor isian cepat
paste_list "$WORK/kelas.txt"
# Waits for the practice window to be activated by the run, then takes the front.
"$WINE" "$HELPER_EXE" window "Kalkulator" "RAPOR Online - Latihan" >"$WORK/other.log" 2>&1 &
other=$!
STARTED_PIDS+=("$other")
sleep 2  # the helper is up and watching
before=$(beeps)
start_run
other_shown() { grep -q shown "$WORK/other.log"; }
poll 30 other_shown && pass "the other window took the front after the activation" || fail "the other window never showed"
if poll 30 apology_open; then pass "the run stopped with the apology"; else fail "no apology: $(probe dialog)"; fi
close_apology
poll 20 beeps_are $((before + 2)) && pass "the run ended with its two beeps" || fail "beeps: $(beeps), before $before"
sleep 1
if out_is "$WORK/empty.txt"; then pass "no key reached the practice target"; else fail "out-file: $(head -n 3 "$OUT" | cat -A)"; fi
if tamvera_answers; then pass "Tamvera open and answering"; else fail "Tamvera gone or hung"; fi
kill "$other" >/dev/null 2>&1 || true
wait "$other" >/dev/null 2>&1 || true

finish
