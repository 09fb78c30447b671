#!/usr/bin/env bash
# Entry runs started from the window with real input. First a short grade list pasted
# into the grade box, "Mulai", the confirmation answered with ENTER: the practice target
# "RAPOR Online - Latihan" (choice entry, the window's default) must end up holding the
# list, and the window must show the finished run's progress texts. Then a slow run
# ended with the "X" in the middle: the progress shows on screen during the run, the
# program ends at once and no further keys arrive.
source "$(dirname "$0")/lib.sh"

out=$WORK/hasil.txt
start_beside_practice "$out" --target rapor --mode pilihan --rows 2 --cols 2
progress_region() {
    shot
    /usr/bin/convert "$WORK/shot.png" -crop "153x17+$((ORIGIN_X + 142))+$((ORIGIN_Y + 304))" +repage "$WORK/$1.png"
}
same_image() { [ "$(/usr/bin/compare -metric AE "$WORK/$1.png" "$WORK/$2.png" null: 2>&1 || true)" == "0" ]; }
progress_region progress-start

log "paste the list"
printf '85\t90\n7\t100' >"$WORK/list.txt"
paste_list "$WORK/list.txt"

log "start the run"
start_run || finish

log "the practice target receives the values"
expected=$'85\t90\n7\t100\n'
out_holds() { [ "$(cat "$out"; echo .)" == "$expected." ]; }
if poll 120 out_holds; then pass "out-file holds the list"; else fail "out-file: $(od -c "$out" | head -5)"; fi
finished() { text_is Txt_Perkembangan "4 dari 4 Nilai" && text_is Txt_Waktu "0 Detik Lagi"; }
poll 30 finished || true
expect_text Txt_Perkembangan "4 dari 4 Nilai"
expect_text Txt_Waktu "0 Detik Lagi"
handoff=$(cat "$(dirname "$TAMVERA_EXE")/Engine.dll"; echo .)
expect_eq "hand-off file" "${handoff%.}" $'85\t90\r\n7\t100\r\n'
if tamvera_running; then pass "Tamvera still open after the run"; else fail "Tamvera ended"; fi
progress_region progress-end
if same_image progress-start progress-end; then fail "the progress text on screen did not change"; else pass "the progress text on screen changed"; fi

log "a slow run, ended by the \"X\" in the middle"
click_at 276 173  # Lambat
printf '11\t22\n33\t44' >"$WORK/list2.txt"
paste_list "$WORK/list2.txt"
start_run || finish
first_value_typed() { [ "$(head -c 3 "$out")" == $'11\t' ]; }
poll 60 first_value_typed && pass "the second run typed its first value" || fail "out-file: $(od -c "$out" | head -3)"
# The texts change inside the run's pauses and must reach the screen there.
progress_shown() {
    progress_region progress-now
    ! same_image progress-end progress-now
}
if poll 10 progress_shown; then pass "the progress text was repainted during the run"; else fail "no repaint during the run"; fi
click_at 311 10  # the "X"
expect_tamvera_gone "the \"X\"" " during the run"
stopped=$(cat "$out"; echo .)
sleep 3
now=$(cat "$out"; echo .)
expect_eq "out-file 3 s after the end" "$now" "$stopped"
if [ "$now" != $'11\t22\n33\t44\n.' ]; then pass "the run did not finish"; else fail "the run finished before the \"X\""; fi

finish
