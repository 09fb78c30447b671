#!/usr/bin/env bash
# One entry run started from the window with real input: a short grade list pasted into
# the grade box, "Mulai", the confirmation answered with ENTER; the practice target
# "RAPOR Online - Latihan" (choice entry, the window's default) must end up holding
# the list, and the window must show the finished run's progress texts.
source "$(dirname "$0")/lib.sh"

out=$WORK/hasil.txt
win_out="Z:${out//\//\\}"
"$WINE" "$LATIHAN_EXE" --target rapor --mode pilihan --rows 2 --cols 2 --out "$win_out" >"$WORK/latihan.log" 2>&1 &
STARTED_PIDS+=($!)
out_written() { [ -s "$out" ]; }
poll 90 out_written || { echo "the practice target did not start"; exit 1; }

start_tamvera
read_origin

log "paste the list"
click_at 80 420
printf '85\t90\n7\t100' >"$WORK/list.txt"
xclip -quiet -selection clipboard -i "$WORK/list.txt" >/dev/null 2>&1 &
STARTED_PIDS+=($!)
sleep 0.5
xdotool key ctrl+v
poll 20 text_is Txt_Nilai $'85\t90\r\n7\t100' || true
expect_text Txt_Nilai $'85\t90\r\n7\t100'

log "start the run"
click_at 232 356  # Mulai
dialog_open() { probe dialog >/dev/null; }
if ! poll 30 dialog_open; then
    fail "no confirmation"
    finish
fi
if probe dialog | grep -q "Jangan sentuh mouse/keyboard"; then pass "confirmation shown"; else fail "confirmation: $(probe dialog)"; fi
xdotool key Return

log "the practice target receives the values"
expected=$'85\t90\n7\t100\n'
out_holds() { [ "$(cat "$out"; echo .)" == "$expected." ]; }
if poll 120 out_holds; then pass "out-file holds the list"; else fail "out-file: $(od -c "$out" | head -5)"; fi
finished() { text_is Txt_Perkembangan "4 dari 4 Nilai" && text_is Txt_Waktu "0 Detik Lagi"; }
poll 30 finished || true
expect_text Txt_Perkembangan "4 dari 4 Nilai"
expect_text Txt_Waktu "0 Detik Lagi"
handoff=$(cat "$BUILD/src/app/Engine.dll"; echo .)
expect_eq "hand-off file" "${handoff%.}" $'85\t90\r\n7\t100\r\n'
if tamvera_running; then pass "Tamvera still open after the run"; else fail "Tamvera ended"; fi

finish
