#!/usr/bin/env bash
# The scripted demonstration that `./run --browser BROWSER` gives on a machine without a
# display: the same steps as tests/e2e/demo.sh (the sample list of 10 pupils x 5
# subjects pasted into Tamvera; RAPOR Online, Pilihan, Cepat; "Mulai", ENTER), typed
# into the web practice page in a real browser through the relay. Prints what landed in
# the page's fields next to what was pasted and saves a screenshot of the page.
# Exit code 0 when every value landed in its field, 1 otherwise.
#
#   demo.sh BUILD chromium|firefox SCREENSHOT   (run through scripts/wine-env.sh exec)
source "$(dirname "$0")/lib.sh"
browser=${2:?chromium or firefox}
screenshot=${3:?screenshot path}

cp "$SOURCE_DIR/tests/e2e/contoh-nilai.txt" "$WORK/kelas.txt"

log "starting $browser with the practice page, the relay and Tamvera"
start_server
open_page "$browser" rapor pilihan 10 5
start_tamvera_recorded
log "pasting the class list, choosing RAPOR Online, Pilihan, Cepat"
choose rapor pilihan
paste_list "$WORK/kelas.txt"
log "Mulai, ENTER at the confirmation; hands off while it types into $browser"
run_list cepat && pass "the run ended with its two beeps"
expect_page "every value in its field" "$WORK/kelas.txt"
/usr/bin/import -window root "$WORK/screen.png"
/usr/bin/convert "$WORK/screen.png" -crop 1280x1000+0+0 +repage "$screenshot"

landed_table "the page in $browser"
echo "screenshot: $screenshot"
finish
