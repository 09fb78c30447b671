#!/usr/bin/env bash
# The release zip as a teacher meets it: unpacked into a folder whose name has spaces and
# letters beyond ASCII, it holds what BACA DULU.txt lists and SHA256SUMS vouches for, and
# the Tamvera.exe in it, started from there, types a class into the practice window,
# writes its hand-off file beside itself and names in "Informasi" a guide that is in the
# folder. The zip is packed around the Tamvera.exe under test (TAMVERA_EXE, else this
# build's: the release in the wine32 lane, the 64-bit program in the wine lane).
#   unpacked.sh BUILD   (through scripts/wine-env.sh exec)
source "$(dirname "$0")/../e2e/lib.sh"
SRC=$(cd "$(dirname "$0")/../.." && pwd)

log "the zip around $TAMVERA_EXE"
"$SRC/packaging/package.sh" "$TAMVERA_EXE" "$WORK/Tamvera.zip" >"$WORK/package.log" 2>&1 ||
    { cat "$WORK/package.log"; echo "packing failed"; exit 1; }
folder="$WORK/Rapor Kelas 7Ä é"
mkdir -p "$folder"
/usr/bin/python3 -m zipfile -e "$WORK/Tamvera.zip" "$folder"
files=$(cd "$folder" && find . -type f -printf '%P\n' | LC_ALL=C sort)
expect_eq "the folder's files" "$(tr '\n' ' ' <<<"$files")" \
    "BACA DULU.txt PANDUAN.html PANDUAN.pdf SHA256SUMS Tamvera.exe latihan/dapodik.html latihan/e-rapor.html latihan/latihan.css latihan/latihan.js latihan/rapor-online.html "
if (cd "$folder" && sha256sum --quiet --strict -c SHA256SUMS); then pass "SHA256SUMS matches"; else fail "SHA256SUMS does not match"; fi
expect_eq "SHA256SUMS names every other file" "$(cut -c67- "$folder/SHA256SUMS")" "$(grep -vx SHA256SUMS <<<"$files")"
while IFS= read -r name; do
    grep -qF "  $name  " "$folder/BACA DULU.txt" || fail "BACA DULU.txt does not name $name"
done < <(cut -d/ -f1 <<<"$files" | sort -u)

log "Tamvera started from the unpacked folder"
TAMVERA_EXE=$folder/Tamvera.exe
HANDOFF=$folder/Engine.dll
start_tamvera_recorded
make_class_list "$WORK/kelas.txt"
start_practice rapor isian 40 3
choose rapor isian cepat
paste_list "$WORK/kelas.txt"
before=$(beeps)
start_run
expected_out_of "$WORK/kelas.txt" >"$WORK/expected.txt"
expect_out "the class typed, every value in its field" "$WORK/expected.txt"
poll 30 beeps_are $((before + 2)) && pass "two beeps at the end" || fail "beeps $(beeps), before $before"
expect_handoff_of "$WORK/kelas.txt"
stop_practice

log "Informasi"
click_at 232 500
if poll 20 dialog_open; then
    box=$(probe dialog)
    # Every file it names (the guide, Tamvera.exe) is in the folder.
    named=$(grep -oE '[A-Za-z0-9_-]+\.[a-z]{2,4}\b' <<<"$box" | sort -u)
    grep -qE '\.(html|pdf)$' <<<"$named" || fail "the information box names no guide: $box"
    for file in $named; do
        if [ -s "$folder/$file" ]; then pass "the file it names is in the folder: $file"; else fail "it names $file, which is not in the folder"; fi
    done
    xdotool key Return
else
    fail "no information box after Informasi"
fi
finish
