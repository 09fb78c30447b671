#!/usr/bin/env bash
# Tamvera.exe driven with real input on the test display: the option buttons and their
# coupling, the grade box (every click empties it; typing; a 1 MB paste), TAB order,
# the close label's hover look, dragging by the title area, the credit message, the
# information box of "Informasi", and the three ways out (the "X", "Berhenti", Alt+F4).
source "$(dirname "$0")/lib.sh"

GREEN=(123 204 28)
LIGHT=(245 245 245)
DISABLED=(230 235 242)

start_tamvera
read_origin

log "TAB moves through the controls in tab-index order"
order=""
focus=$(probe focus)
focus_moved() { [ "$(probe focus)" != "$1" ]; }
for _ in $(seq 15); do
    xdotool key Tab
    poll 5 focus_moved "$focus" || true
    focus=$(probe focus)
    order+="$focus "
done
expect_eq "focus after each TAB" "$order" "Btn_EntriPilihan Btn_EntriIsian Btn_Sedang Btn_Cepat Btn_Lambat Btn_Mulai \
Btn_Berhenti Txt_Waktu Txt_Perkembangan Txt_Nilai Btn_Tamvera Btn_ERapor Btn_Web Btn_Dapodik Btn_EntriPilihan "
xdotool key shift+Tab
poll 5 focus_moved "$focus" || true
expect_eq "focus after Shift+TAB" "$(probe focus)" "Btn_Dapodik"

log "option buttons"
click_at 276 124  # Dapodik
shot
expect_colour "Btn_Dapodik chosen" 252 116 "${GREEN[@]}"
expect_colour "Btn_Tamvera no longer chosen" 140 116 "${LIGHT[@]}" 4
expect_colour "Btn_EntriIsian forced" 225 212 "${GREEN[@]}"
expect_colour "Btn_EntriPilihan disabled face" 140 212 "${DISABLED[@]}" 4
expect_eq "Btn_EntriPilihan enabled" "$(probe enabled Btn_EntriPilihan)" "0"
click_at 178 220  # the disabled Pilihan takes no click
shot
expect_colour "Btn_EntriIsian still chosen" 225 212 "${GREEN[@]}"
click_at 164 124  # Tamvera
shot
expect_colour "Btn_Tamvera chosen again" 140 116 "${GREEN[@]}"
expect_colour "Btn_EntriPilihan chosen again" 140 212 "${GREEN[@]}"
expect_colour "Btn_EntriIsian light again" 225 212 "${LIGHT[@]}" 4
expect_eq "Btn_EntriPilihan enabled again" "$(probe enabled Btn_EntriPilihan)" "1"
click_at 276 173  # Lambat
shot
expect_colour "Btn_Lambat chosen" 252 165 "${GREEN[@]}"
expect_colour "Btn_Cepat light" 140 165 "${LIGHT[@]}" 4

log "grade box"
click_at 80 420
expect_text Txt_Nilai ""
xdotool type --delay 40 "85"
xdotool key Return
xdotool type --delay 40 "90"
poll 10 text_is Txt_Nilai $'85\r\n90' || true
expect_text Txt_Nilai $'85\r\n90'
# ESC in the box changes nothing (a multi-line box in a dialog would close the window).
xdotool key Escape
sleep 1
if tamvera_running; then pass "ESC in the grade box keeps the program open"; else fail "ESC in the grade box ended the program"; fi
expect_text Txt_Nilai $'85\r\n90'
click_at 60 370
expect_text Txt_Nilai ""
# About 1 MB through the clipboard: nothing may be cut off.
awk 'BEGIN { for (i = 0; i < 116600; i++) printf "%d\t%d\t%d\n", 60 + i % 40, 70 + i % 30, 80 + i % 20 }' >"$WORK/big.txt"
bytes=$(wc -c <"$WORK/big.txt")
lines=$(wc -l <"$WORK/big.txt")
paste_start=$(date +%s.%N)
paste_file "$WORK/big.txt"
# The paste arrives with CR LF line ends.
poll 120 length_is $((bytes + lines)) || true
log "figure: the $bytes-byte paste was whole after $(awk -v a="$paste_start" -v b="$(date +%s.%N)" 'BEGIN { printf "%.1f", b - a }') s (polled every 0.2 s)"
expect_eq "characters after a $bytes-byte paste" "$(probe length Txt_Nilai)" "$((bytes + lines))"
click_at 60 370
poll 20 text_is Txt_Nilai "" || true
expect_text Txt_Nilai ""

log "the close label's look"
x_white() {
    shot
    white_pixels 9 11 307 5
}
x_white_is() { [ "$(x_white)" == "$1" ]; }
move_to 100 100
regular=$(x_white)
move_to 311 10
x_bolder() { [ "$(x_white)" -gt "$regular" ]; }
poll 5 x_bolder || true
bold=$(x_white)
if [ "$bold" -gt "$regular" ]; then pass "\"X\" bold over its upper part ($regular -> $bold)"; else fail "\"X\" not bold ($regular -> $bold)"; fi
move_to 60 10  # the title row (Label_DragMove2) keeps the look
sleep 0.3
expect_eq "\"X\" after a move over the title row" "$(x_white)" "$bold"
move_to 250 545  # the credit label keeps it too
sleep 0.3
expect_eq "\"X\" after a move over the credit label" "$(x_white)" "$bold"
move_to 160 460  # Picture1
poll 5 x_white_is "$regular" || true
expect_eq "\"X\" after a move over the picture" "$(x_white)" "$regular"
move_to 311 10
poll 5 x_white_is "$bold" || true
move_to 311 19  # the lower part of the "X" is Label_DragMove
poll 5 x_white_is "$regular" || true
expect_eq "\"X\" after a move over its lower part" "$(x_white)" "$regular"

log "dragging"
start_x=$ORIGIN_X start_y=$ORIGIN_Y
press_move_release 3 200 50 260 90
sleep 0.5
read_origin
expect_eq "window after a right-button drag" "$ORIGIN_X,$ORIGIN_Y" "$start_x,$start_y"
press_move_release 2 60 10 120 50
sleep 0.5
read_origin
expect_eq "window after a middle-button drag" "$ORIGIN_X,$ORIGIN_Y" "$start_x,$start_y"
press_move_release 1 60 10 140 70  # on the title text
expect_origin "window after a left drag on the title" $((start_x + 80)) $((start_y + 60))
press_move_release 1 311 19 271 9  # the lower part of the "X" drags, it does not close
expect_origin "window after a left drag from below the \"X\"" $((start_x + 40)) $((start_y + 50))
if tamvera_running; then pass "still running after pressing below the \"X\""; else fail "ended by a press below the \"X\""; fi
press_move_release 1 200 60 160 10
expect_origin "window back at the start" "$start_x" "$start_y"

log "credit label"
click_at 250 545
if poll 20 dialog_open; then
    dialog=$(probe dialog)
    expect_eq "credit message title" "$(head -n1 <<<"$dialog")" "title Tamvera"
    if grep -q "Tim Tamvera" <<<"$dialog"; then pass "credit message names the authors"; else fail "credit message: $dialog"; fi
    xdotool key Return
    poll 20 dialog_closed && pass "credit message closed with ENTER" || fail "credit message still open"
else
    fail "no credit message"
fi

log "Informasi"
click_at 232 500
if poll 20 dialog_open; then
    expect_eq "information box" "$(probe dialog)" "title Tamvera
Tamvera versi 7.0 - pengisi nilai rapor otomatis

1. Buka aplikasi rapor dan letakkan kursor tepat sebelum isian nilai pertama.
2. Salin nilai dari lembar kerja (tanpa nama dan judul), klik kotak putih di kiri bawah, lalu tempel dengan Ctrl+V.
3. Pilih Jenis Rapor, Entri Nilai dan Kecepatan, tekan Mulai lalu OK, dan jangan sentuh mouse/keyboard sampai terdengar dua bunyi bip.

Panduan lengkap: berkas PANDUAN.html (dibuka dengan browser) dan PANDUAN.pdf (untuk dicetak) di folder yang sama dengan Tamvera.exe."
    xdotool key Return
    poll 20 dialog_closed && pass "information box closed with ENTER" || fail "information box still open"
else
    fail "no information box after Informasi"
fi

log "the ways out"
click_at 311 10
expect_tamvera_gone "the \"X\""
start_tamvera
read_origin
click_at 232 388
expect_tamvera_gone "\"Berhenti\""
start_tamvera
read_origin
click_at 160 460  # Picture1: the window is active
xdotool key alt+F4
expect_tamvera_gone "Alt+F4"

finish
