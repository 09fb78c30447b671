#!/usr/bin/env bash
# Tamvera.exe as it opens: borderless 322 x 555 window with the drop shadow, every
# control where the layout puts it, the artwork, the option defaults' faces, the initial
# texts, and nothing of the hidden value holders on screen.
source "$(dirname "$0")/lib.sh"

# What the screen shows right of and below where the value holders would be, before
# the window exists (the window opens at the screen's origin on the test display).
shot
/usr/bin/convert "$WORK/shot.png" -crop 240x160+330+440 +repage "$WORK/beyond-before.png"

start_tamvera
read_origin

log "window and chrome"
geometry=$(probe geometry)
expect_eq "client size" "$(grep '^client' <<<"$geometry" | cut -d' ' -f4,5)" "322 555"
expect_eq "window size (no frame)" "$(grep '^window' <<<"$geometry" | cut -d' ' -f4,5)" "322 555"
expect_eq "no caption, border or sizing frame" "$(grep '^caption' <<<"$geometry")" "caption 0 border 0 sizable 0"
expect_eq "drop shadow on the class" "$(grep '^dropshadow' <<<"$geometry")" "dropshadow 1"
xwin=$(program_window "${TAMVERA_EXE##*/}" Tamvera)
expect_eq "X window size" "$(xdotool getwindowgeometry "$xwin" | sed -n 's/.*Geometry: //p')" "322x555"

log "child windows: each in its place, in tab order, none for the value holders"
expected="Btn_EntriPilihan TamveraFlatButton 136 208 85 25
Btn_EntriIsian TamveraFlatButton 221 208 85 25
Btn_Sedang TamveraFlatButton 192 161 57 25
Btn_Cepat TamveraFlatButton 136 161 57 25
Btn_Lambat TamveraFlatButton 248 161 57 25
Btn_Mulai TamveraFlatButton 160 344 145 25
Btn_Berhenti TamveraFlatButton 160 376 145 25
Txt_Waktu Edit 141 260 153 17
Txt_Perkembangan Edit 142 304 153 17
Txt_Nilai Edit 22 348 125 166
Btn_Tamvera TamveraFlatButton 136 112 57 25
Btn_ERapor TamveraFlatButton 192 112 57 25
Btn_Web TamveraFlatButton 160 488 145 25
Btn_Dapodik TamveraFlatButton 248 112 57 25
Picture1 TamveraPicture 0 0 323 564"
children=$(probe children | cut -d' ' -f1-6)
expect_eq "children (Z order = tab order, Picture1 at the bottom)" "$children" "$expected"
beyond=$(probe children | awk '$3 >= 322 || $4 >= 555')
expect_eq "no child window beyond the client area" "$beyond" ""
for holder in Txt_Total Txt_SaatIni Txt_WaktuTotal Txt_WaktuSaatIni; do
    if probe text "$holder" >/dev/null; then fail "$holder has a window"; else pass "$holder is no window"; fi
done

log "initial texts"
expect_text Txt_Nilai $'Masukan Nilai ...\r\n'
expect_text Txt_Waktu "N/A"
expect_text Txt_Perkembangan "N/A"
expect_eq "nothing shows the focus at start" "$(probe focus)" "Picture1"

log "screenshot"
shot
expect_colour "title band" 160 50 63 81 181
expect_colour "title band, lower edge" 200 93 63 81 181
expect_colour "body" 100 100 255 255 255
expect_colour "footer bar" 120 545 229 229 229
expect_colour "left edge line" 0 300 192 192 192 12
expect_colour "right edge line" 321 300 192 192 192 12
expect_colour "bottom edge line" 160 554 192 192 192 12
# Faces away from the caption (and from where a focus rectangle would be).
expect_colour "Btn_Tamvera chosen (green)" $((136 + 4)) $((112 + 4)) 123 204 28
expect_colour "Btn_EntriPilihan chosen (green)" $((136 + 4)) $((208 + 4)) 123 204 28
expect_colour "Btn_Cepat chosen (green)" $((136 + 4)) $((161 + 4)) 123 204 28
expect_colour "Btn_Mulai (blue)" $((160 + 4)) $((344 + 4)) 65 170 249
for b in "Btn_ERapor 192 112" "Btn_Dapodik 248 112" "Btn_Sedang 192 161" "Btn_Lambat 248 161" \
    "Btn_EntriIsian 221 208" "Btn_Berhenti 160 376" "Btn_Web 160 488"; do
    read -r name x y <<<"$b"
    expect_colour "$name not chosen (light)" $((x + 4)) $((y + 4)) 245 245 245 4
done
expect_colour "Txt_Nilai inside" 60 470 255 255 255
expect_colour "Txt_Waktu background" 290 268 255 255 255
# White title text on the blue band, and the white "X".
title=$(white_pixels 110 17 8 5)
if [ "$title" -ge 40 ]; then pass "title text drawn ($title white pixels)"; else fail "title text: $title white pixels"; fi
x_regular=$(white_pixels 9 11 307 5)
if [ "$x_regular" -ge 8 ]; then pass "close label drawn ($x_regular white pixels)"; else fail "close label: $x_regular white pixels"; fi

/usr/bin/convert "$WORK/shot.png" -crop 240x160+330+440 +repage "$WORK/beyond-after.png"
changed=$(/usr/bin/compare -metric AE "$WORK/beyond-before.png" "$WORK/beyond-after.png" null: 2>&1 || true)
expect_eq "pixels changed beyond the window's right edge" "$changed" "0"

finish
