#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when any is missing.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
    cmake make g++ clang libclang-rt-14-dev
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
    wine64 wine xvfb x11-utils xdotool xclip imagemagick fonts-dejavu-core
    procps
    chromium firefox-esr python3-xlib openbox
    python3-pyatspi gir1.2-atspi-2.0 at-spi2-core dbus-daemon dbus-bin
    python3 pandoc poppler-utils
)

# The 32-bit release runs under Wine's 32-bit loader, where the kernel runs 32-bit
# programs at all (not every machine's does: scripts/runs-32bit.sh tries one).
if scripts/runs-32bit.sh >/dev/null; then
    packages+=(wine32:i386)
fi

missing=()
for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
    [ "$status" = "install ok installed" ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "install-deps: installing ${missing[*]}"
sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
if [[ " ${missing[*]} " == *:i386* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${sudo[@]}" dpkg --add-architecture i386
fi
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
