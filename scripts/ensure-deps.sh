#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when any is missing.
set -euo pipefail

packages=(cmake ninja-build g++ googletest libgtest-dev libgmock-dev libbenchmark-dev
          clang-format g++-mingw-w64-i686 g++-mingw-w64-x86-64 mingw-w64-tools
          wine wine32:i386 wine64 libwine-dev xvfb xauth x11-utils xdotool imagemagick nsis)

# Where the machine cannot execute 32-bit x86 code itself, the 32-bit smoke set runs under
# user-mode emulation unless VANTREL_NO_EMULATION=1 (scripts/x86-32.sh). Without
# the 32-bit C library the loader cannot be tried yet: the check then follows the install.
source "$(dirname "$0")/x86-32.sh"
wants_emulation() {
    vantrel_emulation_wanted && [ -e /lib/ld-linux.so.2 ] && ! vantrel_can_run_32bit
}
wants_emulation && packages+=(qemu-user-static)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then exit 0; fi

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
dpkg --print-foreign-architectures | grep -qx i386 || $sudo dpkg --add-architecture i386
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
if wants_emulation && [ ! -x "$VANTREL_QEMU_I386" ]; then
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends qemu-user-static
fi
