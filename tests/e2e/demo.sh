#!/usr/bin/env bash
# The scripted demonstration that ./run gives on a machine without a display: on a test
# display of its own, a class list of 10 pupils x 5 subjects is pasted into Tamvera, the
# options are chosen (RAPOR Online, Pilihan, Cepat), "Mulai", ENTER; then it prints what
# landed in the practice window's fields next to what was pasted and saves a screenshot.
# Exit code 0 when every value landed in its field, 1 otherwise.
#
#   demo.sh BUILD SCREENSHOT   (run through scripts/wine-env.sh exec)
source "$(dirname "$0")/lib.sh"
screenshot=${2:?screenshot path}

# The sample class list (with its last line end, as a spreadsheet copies a block).
cp "$(dirname "$0")/contoh-nilai.txt" "$WORK/kelas.txt"

log "starting the practice window and Tamvera"
start_practice rapor pilihan 10 5
start_tamvera_recorded
log "pasting the class list, choosing RAPOR Online, Pilihan, Cepat"
choose rapor pilihan cepat
paste_list "$WORK/kelas.txt"
log "Mulai, ENTER at the confirmation; hands off while it types"
before=$(beeps)
start_run
poll 180 beeps_are $((before + 2)) && pass "the run ended with its two beeps" || fail "the run did not end"
expected_out_of "$WORK/kelas.txt" >"$WORK/expected.txt"
expect_out "every value in its field" "$WORK/expected.txt" 10
expect_text Txt_Perkembangan "$(values_in "$WORK/kelas.txt") dari $(values_in "$WORK/kelas.txt") Nilai"
/usr/bin/import -window root "$WORK/screen.png"
/usr/bin/convert "$WORK/screen.png" -crop 1280x560+0+0 +repage "$screenshot"

landed_table "the practice window"
echo "screenshot: $screenshot"
finish
