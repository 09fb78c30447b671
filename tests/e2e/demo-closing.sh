#!/usr/bin/env bash
# The closing message of verified entry, shown for the teacher's guide: a short class
# typed into the practice window whose field in row 2, column 3 refuses every value; the
# run ends with its two beeps and the box that names that cell. Saves a screenshot of
# the box. Exit code 0 when the box named the cell and every other value landed.
#
#   demo-closing.sh BUILD SCREENSHOT   (run through scripts/wine-env.sh exec)
source "$(dirname "$0")/lib.sh"
screenshot=${2:?screenshot path}

printf '81\t82\t83\t84\n85\t86\t87\t88\n89\t90\t91\t92\n' >"$WORK/kelas.txt"
start_practice rapor isian 3 4 --tolak 2,3
start_tamvera_recorded
choose rapor isian cepat
paste_list "$WORK/kelas.txt"
before=$(beeps)
start_run
poll 60 beeps_are $((before + 2)) && pass "the run ended with its two beeps" || fail "the run did not end"
named() { probe dialog | grep -q 'Baris 2, kolom 3: seharusnya "87", terisi kosong'; }
poll 20 named && pass "the closing message names row 2, column 3" || fail "closing message: $(probe dialog)"
awk -F'\t' -v OFS='\t' 'NR == 2 { $3 = "" } { print }' "$WORK/kelas.txt" | expected_out_of /dev/stdin >"$WORK/expected.txt"
expect_out "every other value in its field" "$WORK/expected.txt" 5
sleep 0.5
/usr/bin/import -window root "$WORK/screen.png"
message_box_window >/dev/null || { fail "no box on the screen"; finish; }
/usr/bin/convert "$WORK/screen.png" -crop "$BOX_GEOMETRY" +repage "$screenshot"
close_message
finish
