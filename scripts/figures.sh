#!/usr/bin/env bash
# The benchmarks: start-up, pacing, processor time and slow-page figures, each from real
# runs that must still land every value (CTest label "figures"; ./test leaves them out).
# Run after ./test, which installs and builds everything; what they print goes in
# docs/PERFORMANCE.md.
#
#   scripts/figures.sh [CTEST ARGS...]   e.g. -R browser for the slow-page table's column
set -euo pipefail
cd "$(dirname "$0")/.."
[ -f build/CTestTestfile.cmake ] || { echo "figures.sh: run ./test first (it builds every preset)" >&2; exit 1; }
ctest --test-dir build --output-on-failure -j2 --label-regex figures "$@"
