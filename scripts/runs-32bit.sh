#!/usr/bin/env bash
# Succeeds when this machine runs 32-bit x86 programs. Some kernels do, some refuse
# them ("Exec format error"); the only sure test is to run one. The program is a bare
# 32-bit ELF (84-byte header) that ends with exit code 42 through int 0x80.
#   runs-32bit.sh          exit 0: it runs; 1: it does not (a line says why)
set -euo pipefail
program=$(mktemp /tmp/tamvera-elf32.XXXXXX)
trap 'rm -f "$program"' EXIT
# ELF header (52 bytes) and one program header (32 bytes) loading the file at
# 0x08048000, then: mov eax, 1; mov ebx, 42; int 0x80.
printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08\x60\x00\x00\x00\x60\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00\xb8\x01\x00\x00\x00\xbb\x2a\x00\x00\x00\xcd\x80' >"$program"
chmod +x "$program"
status=0
"$program" 2>/dev/null || status=$?
if [ "$status" -eq 42 ]; then exit 0; fi
echo "this machine runs no 32-bit programs"
exit 1
