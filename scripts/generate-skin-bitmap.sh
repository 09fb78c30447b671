#!/usr/bin/env bash
# Rewrites src/controls/skin.bmp, the flat button's skin bitmap, from the code that
# defines it (src/controls/SkinBitmap.cpp). The native test controls.SkinBitmap fails
# when the two disagree.
set -euo pipefail
cd "$(dirname "$0")/.."
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
g++ -std=c++20 -O1 -Isrc src/controls/tools/WriteSkinBitmap.cpp src/controls/SkinBitmap.cpp src/controls/ButtonPaint.cpp \
    -o "$tmp/write_skin_bitmap"
"$tmp/write_skin_bitmap" src/controls/skin.bmp
echo "wrote src/controls/skin.bmp ($(stat -c %s src/controls/skin.bmp) bytes)"
