#!/usr/bin/env bash
# Draws the application icon, src/app/tamvera.ico: a white "T" on the title band's blue,
# at 16, 32 and 48 pixels. Needs ImageMagick and the DejaVu fonts.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-src/app/tamvera.ico}
font=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
for size in 16 32 48; do
    /usr/bin/convert -size ${size}x${size} xc:'rgb(63,81,181)' \
        -font "$font" -fill white -gravity center -pointsize $((size * 3 / 4)) -annotate +0+0 'T' \
        -type TrueColor -strip "$tmp/$size.png"
done
/usr/bin/convert "$tmp/16.png" "$tmp/32.png" "$tmp/48.png" "$out"
echo "icon: $out"
