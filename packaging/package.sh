#!/usr/bin/env bash
# Makes the folder a teacher is given around a Tamvera.exe and packs it into ZIP:
#   Tamvera.exe      EXE (for a release: the 32-bit build of the release preset)
#   PANDUAN.html     the guide docs/PANDUAN.md as one page, its pictures inside (pandoc)
#   PANDUAN.pdf      that page printed on A4 by headless Chromium
#   latihan/         the web practice pages (practice/web, without its README)
#   BACA DULU.txt    what is in the folder and what to open first (CR LF, for Notepad)
#   SHA256SUMS       the SHA-256 of every other file, as sha256sum -c checks it
# The same sources and EXE give the same bytes in any folder at any time: every date in
# the zip and the PDF is the last commit's (SOURCE_DATE_EPOCH when set, else git log),
# and nothing names a folder of this machine. TAMVERA_CHROMIUM_FLAGS, when set, is passed
# on to Chromium (the reproducibility test prints with other flags than the release).
#   packaging/package.sh EXE ZIP
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
exe=$(realpath "${1:?usage: package.sh EXE ZIP}")
zip=$(realpath -m "${2:?usage: package.sh EXE ZIP}")
python=/usr/bin/python3
die() { echo "package: $*" >&2; exit 1; }

version=$(sed -n 's/^project(Tamvera VERSION \([0-9.]*\) .*/\1/p' "$src/CMakeLists.txt")
[ -n "$version" ] || die "no version in project() of CMakeLists.txt"
if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    SOURCE_DATE_EPOCH=$(git -C "$src" log -1 --format=%ct 2>/dev/null) ||
        die "$src is no git work tree: set SOURCE_DATE_EPOCH to the source's date"
fi
# The guide has the teacher compare the version in the file's properties.
grep -q "Versi produk \"$version\"" "$src/docs/PANDUAN.md" ||
    die "docs/PANDUAN.md does not name the version $version (Versi produk)"

work=$(mktemp -d /tmp/tamvera-package.XXXXXX)
trap 'rm -rf "$work"' EXIT
stage=$work/Tamvera-$version
mkdir -p "$stage/latihan"

cp "$exe" "$stage/Tamvera.exe"

pandoc "$src/docs/PANDUAN.md" -f markdown+gfm_auto_identifiers-fancy_lists -t html5 \
    --template "$src/packaging/panduan.html" --resource-path="$src/docs" --self-contained --columns=1000 \
    -M pagetitle="Panduan Tamvera $version" -M version="$version" -o "$stage/PANDUAN.html"
"$python" "$src/packaging/release.py" check-guide "$stage/PANDUAN.html" || die "the guide would not open offline"

# Printed from the page itself, off the network (no name resolves; nothing in the
# background), with no header or footer of the browser's (its date and the file's path).
url=$("$python" -c 'import pathlib, sys; print(pathlib.Path(sys.argv[1]).as_uri())' "$stage/PANDUAN.html")
if ! timeout 300 chromium --headless --no-sandbox --disable-gpu --no-first-run --no-default-browser-check \
    --disable-background-networking --disable-component-update --disable-sync --disable-extensions \
    --disable-default-apps --disable-quic --host-resolver-rules="MAP * ~NOTFOUND" \
    --user-data-dir="$work/chromium" --no-pdf-header-footer --print-to-pdf="$stage/PANDUAN.pdf" \
    ${TAMVERA_CHROMIUM_FLAGS:-} "$url" >"$work/chromium.log" 2>&1 || [ ! -s "$stage/PANDUAN.pdf" ]; then
    cat "$work/chromium.log" >&2
    die "Chromium printed no PDF"
fi
rm -rf "$work/chromium"
"$python" "$src/packaging/release.py" pdf "$stage/PANDUAN.pdf" "$SOURCE_DATE_EPOCH"
pdfinfo "$stage/PANDUAN.pdf" | grep -q '^Page size:.*(A4)' || die "PANDUAN.pdf is not A4"

find "$src/practice/web" -maxdepth 1 -type f ! -name README.md -exec cp {} "$stage/latihan/" \;

sed "s/@VERSION@/$version/" "$src/packaging/BACA DULU.txt" | sed 's/$/\r/' >"$stage/BACA DULU.txt"
! LC_ALL=C grep -q '[^[:print:][:space:]]' "$stage/BACA DULU.txt" ||
    die "BACA DULU.txt has letters beyond ASCII, which Notepad may show wrongly"

(cd "$stage" && find . -type f -printf '%P\n' | LC_ALL=C sort | while IFS= read -r file; do
    sha256sum "$file"
done >"$work/SHA256SUMS" && mv "$work/SHA256SUMS" SHA256SUMS)

mkdir -p "$(dirname "$zip")"
"$python" "$src/packaging/release.py" zip "$stage" "$zip" "$SOURCE_DATE_EPOCH"
echo "package: $zip ($(find "$stage" -type f | wc -l) files, source date $(date -u -d "@$SOURCE_DATE_EPOCH" '+%Y-%m-%d %H:%M:%S UTC'))"
echo "SHA-256 of $(basename "$zip"): $(sha256sum "$zip" | cut -d' ' -f1)"
echo "SHA-256 of Tamvera.exe: $(sha256sum "$stage/Tamvera.exe" | cut -d' ' -f1)"
