#!/usr/bin/env bash
# Draws the main window's artwork, src/window/artwork.jpg (322 x 554): the blue title
# band, the white body with the grey row captions and the light-grey frames of the three
# text fields, and the footer with the author credit. The controls sit on top of it.
# Needs ImageMagick and the DejaVu fonts (scripts/install-deps.sh installs both).
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-src/window/artwork.jpg}
font=/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf
grey='rgb(128,128,128)'
frame='rgb(195,195,195)'

/usr/bin/convert -size 322x554 xc:white \
    -fill 'rgb(63,81,181)' -draw 'rectangle 0,0 321,94' \
    -font "$font" -pointsize 13 -fill "$grey" \
    -annotate +19+131 'Jenis Rapor' \
    -annotate +19+177 'Kecepatan' \
    -annotate +19+225 'Entri Nilai' \
    -annotate +19+272 'Perkiraan Waktu' \
    -annotate +19+316 'Perkembangan' \
    -fill none -stroke "$frame" -strokewidth 1 \
    -draw 'rectangle 137,256 301,277' \
    -draw 'rectangle 137,300 301,321' \
    -draw 'rectangle 20,347 147,514' \
    -stroke 'rgb(210,210,210)' -draw 'line 0,535 321,535' \
    -stroke none -fill 'rgb(229,229,229)' -draw 'rectangle 0,536 321,553' \
    -font "$font" -pointsize 8.8 -fill "$grey" -annotate +189+548 'Dibuat oleh Tim Tamvera' \
    -type TrueColor -sampling-factor 1x1 -quality 95 -strip "$out"
echo "artwork: $out"
