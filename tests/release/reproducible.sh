#!/usr/bin/env bash
# The release is the same bytes wherever and whenever it is built: this work tree's
# sources copied to another folder (a path with a space and letters beyond ASCII, other
# file times) and built there with the release preset give this build's Tamvera.exe byte
# for byte, and the two packed a while apart give the same zip. The copy's guide is
# printed with Chromium's accessibility on from the start, which numbers the page's nodes
# otherwise, so that the PDF is shown not to depend on that numbering every time, not
# only when it happens to shift.
#   reproducible.sh SOURCE_DIR TAMVERA.EXE
set -euo pipefail
src=$(cd "${1:?source folder}" && pwd)
exe=$(realpath "${2:?Tamvera.exe}")
work=$(mktemp -d /tmp/tamvera-reproducible.XXXXXX)
trap 'rm -rf "$work"' EXIT
other="$work/salinan lain Ä é/Tamvera"
mkdir -p "$other"
status=0

# The files this build was made from: the work tree's, committed or not, without builds.
git -C "$src" ls-files -z --cached --others --exclude-standard |
    (cd "$src" && while IFS= read -r -d '' file; do [ -e "$file" ] && printf '%s\0' "$file"; done) |
    tar -C "$src" -c --null -T - | tar -C "$other" -x
SOURCE_DATE_EPOCH=$(git -C "$src" log -1 --format=%ct)
export SOURCE_DATE_EPOCH

echo "== Tamvera.exe built again in $other"
(cd "$other" && cmake --preset release >"$work/configure.log" 2>&1 &&
    cmake --build --preset release -j2 >"$work/build.log" 2>&1) ||
    { cat "$work/configure.log" "$work/build.log"; echo "FAIL: the release preset did not build"; exit 1; }
again=$other/build/release/src/app/Tamvera.exe
echo "this build: $(sha256sum "$exe" | cut -d' ' -f1)"
echo "again:      $(sha256sum "$again" | cut -d' ' -f1)"
if cmp -s "$exe" "$again"; then
    echo "ok: the same Tamvera.exe ($(stat -c %s "$exe") bytes)"
else
    echo "FAIL: Tamvera.exe differs; first differing bytes (offset, octal values):"
    cmp -l "$exe" "$again" | head -5
    status=1
fi

echo "== the zip, packed from each"
"$src/packaging/package.sh" "$exe" "$work/a/Tamvera.zip" >"$work/a.log" 2>&1 ||
    { cat "$work/a.log"; echo "FAIL: packing"; exit 1; }
sleep 1  # another second on the clock
TAMVERA_CHROMIUM_FLAGS=--force-renderer-accessibility "$other/packaging/package.sh" "$again" "$work/b/Tamvera.zip" >"$work/b.log" 2>&1 ||
    { cat "$work/b.log"; echo "FAIL: packing the copy"; exit 1; }
/usr/bin/python3 -m zipfile -l "$work/a/Tamvera.zip"
echo "this build: $(sha256sum "$work/a/Tamvera.zip" | cut -d' ' -f1)"
echo "again:      $(sha256sum "$work/b/Tamvera.zip" | cut -d' ' -f1)"
if cmp -s "$work/a/Tamvera.zip" "$work/b/Tamvera.zip"; then
    echo "ok: the same zip ($(stat -c %s "$work/a/Tamvera.zip") bytes)"
else
    echo "FAIL: the zips differ; the members that differ:"
    /usr/bin/python3 -c 'import sys, zipfile
a, b = (zipfile.ZipFile(path) for path in sys.argv[1:])
def read(z, name): return z.read(name) if name in z.namelist() else None
same = True
for name in sorted(set(a.namelist()) | set(b.namelist())):
    x, y = read(a, name), read(b, name)
    if x is None or y is None:
        print(f"  {name}: only in one"); same = False
    elif x != y:
        at = next((i for i, (p, q) in enumerate(zip(x, y)) if p != q), min(len(x), len(y)))
        print(f"  {name}: {len(x)} and {len(y)} bytes, first apart at {at}: {x[max(at-20, 0):at+20]!r} / {y[max(at-20, 0):at+20]!r}")
        same = False
if same:
    print("  none: the same files, packed otherwise (dates, order or permissions)")' "$work/a/Tamvera.zip" "$work/b/Tamvera.zip"
    status=1
fi
exit $status
