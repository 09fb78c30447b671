#!/usr/bin/env bash
# The soak: one start of the release Tamvera.exe types ten classes of 40 x 10 in a row
# into the practice window, every value read back (about 4,000 reads), and prints what
# its process holds after each class (tests/e2e/e2e-soak.sh; ./test runs one class).
#
#   scripts/soak.sh [CLASSES] [BUILD]   defaults: 10, build/win32 (the release); after
#                                       ./test. BUILD=build/win64 soaks the 64-bit build.
# Where this machine runs no 32-bit programs the release cannot run: it says so and
# exits 77, unless a 64-bit build is named.
# Run no other test of the same build meanwhile: Tamvera's hand-off file lies beside the
# program, so another Tamvera.exe of that build rewrites the list a class is typing.
set -euo pipefail
cd "$(dirname "$0")/.."
classes=${1:-10}
build=$(cd "${2:-build/win32}" && pwd)
state=$build/soak-state
bits=()
[ "$(basename "$build")" != win32 ] || bits=(--32bit)
scripts/wine-env.sh start "$state" "${bits[@]}" >/dev/null
trap 'scripts/wine-env.sh stop "$state" >/dev/null 2>&1 || true' EXIT
scripts/wine-env.sh exec "$state" bash tests/e2e/e2e-soak.sh "$build" "$classes"
