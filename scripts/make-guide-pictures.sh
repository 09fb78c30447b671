#!/usr/bin/env bash
# The pictures of the teacher's guide (docs/PANDUAN.md), made by the project's own
# demonstrations so that they show the program as it is today:
#   docs/panduan/jendela-tamvera.png   Tamvera's window after the demo's run (the sample
#                                      list pasted, RAPOR Online, Pilihan, Cepat, every
#                                      value typed), its parts named in Indonesian
#   docs/panduan/halaman-latihan.png   the web practice page in Chromium with the same
#                                      class typed in by Tamvera.exe
#   docs/panduan/pesan-penutup.png     the closing message of verified entry, naming a
#                                      field of the practice window that refused its value
#   docs/panduan/lanjutkan.png         after a stop: the field the teacher clicks in the
#                                      practice window, marked, and the box that asks to
#                                      go on from it
# Builds the win64 preset, runs tests/e2e/demo.sh and tests/browser/demo.sh on a display
# and Wine prefix of their own (build/guide-pictures), then crops, marks and shrinks their
# screenshots. Run it again after the window or the practice page changes, look at the
# pictures, and commit them. Exits non-zero when a demo did not land every value.
#
#   scripts/make-guide-pictures.sh
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=build/win64
state=$root/build/guide-pictures
out=$root/docs/panduan
convert=/usr/bin/convert
bold=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf

scripts/install-deps.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 -j2 >/dev/null
mkdir -p "$state" "$out"
trap 'scripts/wine-env.sh stop "$state" >/dev/null 2>&1 || true' EXIT
scripts/wine-env.sh start "$state"
scripts/wine-env.sh exec "$state" bash tests/e2e/demo.sh "$build" "$state/demo.png"
scripts/wine-env.sh exec "$state" bash tests/browser/demo.sh "$build" chromium "$state/demo-chromium.png"
scripts/wine-env.sh exec "$state" bash tests/e2e/demo-closing.sh "$build" "$state/closing.png"
scripts/wine-env.sh exec "$state" bash tests/e2e/demo-resume.sh "$build" "$state/resume.png"

# --- Tamvera's window, its parts named --------------------------------------------------
# The demos leave Tamvera's borderless window at the screen's right edge, client origin
# (958, 0), 322 x 555. Placed on a white sheet with room for the names on both sides
# (LEFT pixels on the left); each part gets a red frame and a line to its name.
left=170
top=10
frame() {  # frame X Y W H: a part of the window, in its client pixels
    echo "rectangle $((left + $1 - 2)),$((top + $2 - 2)) $((left + $1 + $3 + 1)),$((top + $2 + $4 + 1))"
}
draw=()
names=()
mark_right() {  # mark_right X Y W H TEXT: framed, with a line from the frame to its name
    local y=$((top + $2 + $4 / 2))
    draw+=(-draw "$(frame "$1" "$2" "$3" "$4")" -draw "line $((left + $1 + $3 + 2)),$y $((left + 330)),$y")
    names+=(-annotate "+$((left + 336))+$((y + 5))" "$5")
}
mark_right 136 112 169 25 "Jenis Rapor: aplikasi tujuan"
mark_right 136 161 169 25 "Kecepatan"
mark_right 136 208 170 25 "Entri Nilai: Pilihan atau Isian"
mark_right 141 260 153 17 "Perkiraan Waktu: sisa waktu"
mark_right 142 304 153 17 "Perkembangan: nilai terketik"
mark_right 160 344 145 25 "Mulai"
mark_right 160 376 145 25 "Berhenti: Tamvera ditutup"
mark_right 160 488 145 25 "Informasi"
mark_right 307 5 9 17 "X: Tamvera ditutup"
# The grade box, named on the left.
draw+=(-draw "$(frame 22 348 125 166)" -draw "line $((left + 20)),$((top + 430)) $((left - 14)),$((top + 430))")
names+=(-annotate "+8+$((top + 410))" $'Kotak nilai:\nklik, lalu tempel\ndaftar nilai\n(Ctrl+V)')

"$convert" "$state/demo.png" -crop 322x555+958+0 +repage "$state/tamvera.png"
"$convert" -size $((left + 322 + 250))x$((555 + 2 * top)) xc:white \
    "$state/tamvera.png" -geometry "+$left+$top" -composite \
    -fill none -stroke '#d01010' -strokewidth 2 "${draw[@]}" \
    -stroke none -fill '#a00000' -font "$bold" -pointsize 13 "${names[@]}" \
    +dither -colors 64 -strip "PNG8:$out/jendela-tamvera.png"

# --- The practice page with the class typed in ----------------------------------------
# The browser fills (0, 0) 940 x 1000; the page's heading, counter and the 10 x 5 table
# lie in its upper part, down to "Akhir". Shrunk to three quarters for the guide.
"$convert" "$state/demo-chromium.png" -crop 940x500+0+0 +repage -resize 75% \
    +dither -colors 64 -strip "PNG8:$out/halaman-latihan.png"

# --- The closing message ----------------------------------------------------------------
"$convert" "$state/closing.png" +dither -colors 64 -strip "PNG8:$out/pesan-penutup.png"

# --- Going on after a stop ------------------------------------------------------------
# The practice window at (0, 0) and the box below it; the clicked field framed and named.
read -r _ fx fy < <(grep '^field ' "$state/resume.txt")
"$convert" "$state/resume.png" -crop 830x600+0+0 +repage \
    -fill none -stroke '#d01010' -strokewidth 3 -draw "rectangle $((fx - 38)),$((fy - 13)) $((fx + 38)),$((fy + 13))" \
    -draw "line $((fx + 40)),$fy $((fx + 300)),$((fy + 60))" \
    -stroke none -fill '#a00000' -font "$bold" -pointsize 15 \
    -annotate "+$((fx + 305))+$((fy + 66))" "Klik dulu kolom ini" \
    -resize 75% +dither -colors 64 -strip "PNG8:$out/lanjutkan.png"

ls -l "$out"
