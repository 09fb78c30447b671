#!/usr/bin/env bash
# The release Tamvera.exe as shipped: a 32-bit GUI program for Windows 7 SP1 and later
# whose resources hold the icon, the manifest (resource 1 of type 24), the project's
# VERSION (7.0.0.0), the artwork and the skin, and whose imports are the reviewed list
# IMPORTS.
#   check-exe.sh OBJDUMP WINDRES TAMVERA.EXE IMPORTS VERSION
set -euo pipefail
objdump=$1 windres=$2 exe=$3 imports=$4 version=$5
status=0
check() {
    if grep -Eq -- "$2" <<<"$3"; then echo "ok: $1"; else echo "FAIL: $1"; status=1; fi
}
headers=$("$objdump" -p "$exe")
check "PE32 (i386)" "file format pei-i386" "$headers"
check "GUI subsystem" "Subsystem[[:space:]]+00000002" "$headers"
check "OS version 6.1 (Windows 7)" $'MajorOSystemVersion\t6\nMinorOSystemVersion\t1' "$(grep OSystemVersion <<<"$headers")"
check "subsystem version 6.1 (Windows 7)" $'MajorSubsystemVersion\t6\nMinorSubsystemVersion\t1' "$(grep SubsystemVersion <<<"$headers")"
# Every imported function has been looked up: it exists on Windows 7 SP1.
imported=$(awk '/DLL Name:/ { dll = tolower($3); next }
                dll && /^\t[0-9a-f]+\t +[0-9]+ +[A-Za-z_]/ { print dll, $3 }' <<<"$headers" | LC_ALL=C sort)
reviewed=$(grep -v '^#' "$imports" | grep . | LC_ALL=C sort)
if [ "$imported" == "$reviewed" ]; then
    echo "ok: imports are the reviewed list ($(wc -l <<<"$imported") functions)"
else
    echo "FAIL: imports differ from the reviewed list $imports (> new, < gone):"
    diff <(echo "$reviewed") <(echo "$imported") | grep '^[<>]' || true
    status=1
fi
resources=$("$windres" -i "$exe" -O rc)
check "application icon 1" "^1 14 /\\* RT_GROUP_ICON" "$resources"
check "manifest as resource 1" "^1 24 /\\* RT_MANIFEST" "$resources"
manifest=$(sed -n '/^1 24 /,/^END/p' <<<"$resources")
check "manifest asks for asInvoker" 'level=""asInvoker""' "$manifest"
supported=$(grep -o 'supportedOS Id=""{[^}]*' <<<"$manifest" | cut -d'{' -f2 | tr '\n' ' ')
# Windows 7, 8, 8.1, 10 and 11 - and not Vista, which the file does not run on.
expect_os="35138b9a-5d96-4fbd-8e2d-a2440225f93a 4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38 1f676c76-80e1-4239-95bb-83d0f6d0da78 8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a "
if [ "$supported" == "$expect_os" ]; then echo "ok: manifest supports Windows 7 to 11"; else echo "FAIL: manifest supportedOS: $supported"; status=1; fi
# Scaled by the system on high-DPI screens (the artwork is a fixed bitmap).
if grep -q '<dpiAware\|<dpiAwareness' <<<"$manifest"; then echo "FAIL: the manifest declares DPI awareness"; status=1; else echo "ok: no DPI awareness declared"; fi
commas=${version//./, }
check "file version $version" "FILEVERSION $commas\$" "$resources"
check "product version $version" "PRODUCTVERSION $commas\$" "$resources"
check "version strings $version" "VALUE \"ProductVersion\", \"${version//./\\.}\"" "$resources"
check "manifest version $version" "version=\"\"${version//./\\.}\"\"" "$manifest"
check "Indonesian strings" 'BLOCK "042104B0"' "$resources"
check "English strings" 'BLOCK "040904B0"' "$resources"
check "product name" 'VALUE "ProductName", "Tamvera"' "$resources"
check "company name" 'VALUE "CompanyName", "Tim Tamvera"' "$resources"
check "artwork" '"TAMVERA_ARTWORK" RCDATA' "$resources"
check "flat button skin" '"FLATBUTTON_SKIN" 2' "$resources"
exit $status
