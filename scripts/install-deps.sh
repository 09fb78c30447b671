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
native=() foreign=()
for p in "${missing[@]}"; do [[ $p == *:i386 ]] && foreign+=("$p") || native+=("$p"); done
if [ ${#foreign[@]} -gt 0 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${sudo[@]}" dpkg --add-architecture i386
fi

# A Debian mirror caught mid-sync serves indexes of the wrong size for a while ("Mirror
# sync in progress?"): the update is tried again after a pause, and when it still fails,
# the install goes on with the indexes it did get.
update_tries=${APT_UPDATE_TRIES:-5} update_pause=${APT_UPDATE_PAUSE:-30}
update_indexes() {
    local try
    for ((try = 1; try <= update_tries; try++)); do
        "${sudo[@]}" apt-get update -qq && return 0
        [ "$try" -eq "$update_tries" ] || { echo "install-deps: apt-get update failed, again in ${update_pause} s"; sleep "$update_pause"; }
    done
    echo "install-deps: apt-get update failed $update_tries times; installing from the indexes it got"
}
apt_install() { "${sudo[@]}" apt-get install -y -qq --no-install-recommends "$@" >"$apt_log" 2>&1; }
apt_errors() { grep '^E:' "$apt_log" | head -3 | tr '\n' ' '; }

# wine32:i386 needs each of its i386 libraries in the same version as the amd64 one beside
# it, so it is installed together with the rest. While the security suite offers a newer
# version for amd64 only (its i386 index mid-sync), that suite's priority is lowered for
# the install, so that both architectures take the same versions.
install_matching() {
    local prefs
    prefs=$(mktemp)
    printf 'Package: *\nPin: release l=Debian-Security\nPin-Priority: 100\n' >"$prefs"
    echo "install-deps: ${foreign[*]} did not install with the versions offered; installing with the security suite at priority 100, so that i386 and amd64 versions match"
    apt_install -o Dir::Etc::Preferences="$prefs" "${missing[@]}"
    local status=$?
    rm -f "$prefs"
    return $status
}

apt_log=$(mktemp)
update_indexes
if apt_install "${missing[@]}" || { [ ${#foreign[@]} -gt 0 ] && install_matching; }; then
    rm -f "$apt_log"
    exit 0
fi
# This machine runs 32-bit programs: the release's lane needs wine32, so no silent skip.
if [ ${#foreign[@]} -gt 0 ] && { [ ${#native[@]} -eq 0 ] || apt_install "${native[@]}"; }; then
    apt_install "${foreign[@]}" || true
    echo "install-deps: ${foreign[*]} could not be installed, so the 32-bit release cannot be tested here: $(apt_errors)(apt's output: $apt_log)" >&2
else
    echo "install-deps: ${missing[*]} could not be installed: $(apt_errors)(apt's output: $apt_log)" >&2
fi
exit 1
