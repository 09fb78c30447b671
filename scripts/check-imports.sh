#!/usr/bin/env bash
# Fails when a Windows executable imports a DLL that is not part of Windows itself,
# or is not the expected kind of executable.
#   check-imports.sh OBJDUMP EXPECTED-FORMAT EXE...
set -euo pipefail
objdump=$1 format=$2
shift 2
allowed='^(kernel32|user32|gdi32|shell32|ole32|oleaut32|oleacc|advapi32|comctl32|comdlg32|winmm|msvcrt|shlwapi|uxtheme|imm32|version|ws2_32)\.dll$'
status=0
for exe in "$@"; do
    dump=$("$objdump" -p "$exe")
    if ! grep -q "file format $format" <<<"$dump"; then
        echo "FAIL $exe: not $format"; status=1
    fi
    dlls=$(grep -E '^\s*DLL Name:' <<<"$dump" | awk '{print tolower($3)}' | sort -u)
    for dll in $dlls; do
        if ! grep -Eq "$allowed" <<<"$dll"; then echo "FAIL $exe imports $dll"; status=1; fi
    done
    echo "$(basename "$exe"): $format, imports $(echo $dlls | tr ' ' ',')"
done
exit $status
