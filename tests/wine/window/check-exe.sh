#!/usr/bin/env bash
# The release Tamvera.exe as shipped: a 32-bit GUI program whose resources hold the
# icon, the manifest (resource 1 of type 24), the version 7.0, the artwork and the skin.
#   check-exe.sh OBJDUMP WINDRES TAMVERA.EXE
set -euo pipefail
objdump=$1 windres=$2 exe=$3
status=0
check() {
    if grep -Eq -- "$2" <<<"$3"; then echo "ok: $1"; else echo "FAIL: $1"; status=1; fi
}
headers=$("$objdump" -p "$exe")
check "PE32 (i386)" "file format pei-i386" "$headers"
check "GUI subsystem" "Subsystem[[:space:]]+00000002" "$headers"
resources=$("$windres" -i "$exe" -O rc)
check "application icon 1" "^1 14 /\\* RT_GROUP_ICON" "$resources"
check "manifest as resource 1" "^1 24 /\\* RT_MANIFEST" "$resources"
manifest=$(sed -n '/^1 24 /,/^END/p' <<<"$resources")
check "manifest asks for asInvoker" 'level=""asInvoker""' "$manifest"
# Scaled by the system on high-DPI screens (the artwork is a fixed bitmap).
if grep -q '<dpiAware\|<dpiAwareness' <<<"$manifest"; then echo "FAIL: the manifest declares DPI awareness"; status=1; else echo "ok: no DPI awareness declared"; fi
check "file version 7.0.0.0" "FILEVERSION 7, 0, 0, 0" "$resources"
check "product version 7.0.0.0" "PRODUCTVERSION 7, 0, 0, 0" "$resources"
check "Indonesian strings" 'BLOCK "042104B0"' "$resources"
check "English strings" 'BLOCK "040904B0"' "$resources"
check "product name" 'VALUE "ProductName", "Tamvera"' "$resources"
check "company name" 'VALUE "CompanyName", "Tim Tamvera"' "$resources"
check "artwork" '"TAMVERA_ARTWORK" RCDATA' "$resources"
check "flat button skin" '"FLATBUTTON_SKIN" 2' "$resources"
exit $status
