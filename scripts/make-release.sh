#!/usr/bin/env bash
# Makes the release a teacher is given, dist/Tamvera-<version>.zip: the 32-bit
# Tamvera.exe built afresh from the committed sources (the release preset, build/release)
# with the guide as HTML and PDF, the web practice pages, BACA DULU.txt and SHA256SUMS
# (packaging/package.sh). The same commit gives the same zip, byte for byte, in any
# clone at any time; the SHA-256 it prints at the end go into the release notes.
#   scripts/make-release.sh
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -n "$(git status --porcelain)" ]; then
    echo "make-release: the work tree differs from its last commit; a release is made from a commit:" >&2
    git status --short >&2
    exit 1
fi
scripts/install-deps.sh

rm -rf build/release
cmake --preset release >/dev/null
cmake --build --preset release -j"$(nproc)"

version=$(sed -n 's/^project(Tamvera VERSION \([0-9.]*\) .*/\1/p' CMakeLists.txt)
zip=dist/Tamvera-$version.zip
rm -f "$zip"
packaging/package.sh build/release/src/app/Tamvera.exe "$zip"
echo "commit: $(git rev-parse HEAD)"
