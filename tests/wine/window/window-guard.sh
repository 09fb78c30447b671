#!/usr/bin/env bash
# The foreground guard through the window's timer: during a slow run the user clicks
# Tamvera's own window, which brings a title without "RAPOR" to the front; the run
# stops at the next row with the apology, the rest of the list is not typed, and the
# program stays open.
source "$(dirname "$0")/lib.sh"

out=$WORK/hasil.txt
start_beside_practice "$out" --target rapor --mode pilihan --rows 2 --cols 2

click_at 276 173  # Lambat: a row takes several seconds
printf '55\t66\n33\t44' >"$WORK/list.txt"
paste_list "$WORK/list.txt"
start_run || finish
first_value_typed() { [ "$(head -c 3 "$out")" == $'55\t' ]; }
poll 60 first_value_typed && pass "the run typed its first value" || fail "out-file: $(od -c "$out" | head -3)"

log "Tamvera's own window to the front"
click_at 160 460  # Picture1, away from every label
apology_open() { probe dialog | grep -q "Maaf! terjadi kesalahan"; }
if poll 30 apology_open; then pass "the run stopped with the apology"; else fail "no apology: $(probe dialog)"; fi
xdotool key Return
poll 20 dialog_closed && pass "apology closed with ENTER" || fail "apology still open"
sleep 2  # the closing beeps
if tamvera_running; then pass "Tamvera still open"; else fail "Tamvera ended"; fi
expect_eq "the second row in the practice target (never typed)" "$(sed -n 2p "$out")" $'\t'
progress=$(probe text Txt_Perkembangan)
if [ "$progress" != "4 dari 4 Nilai" ]; then pass "the progress stopped at: $progress"; else fail "all values were typed"; fi

finish
