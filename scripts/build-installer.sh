#!/usr/bin/env bash
# Builds the per-user installer from release builds (optimised, stripped):
#   scripts/build-installer.sh          $BUILD_ROOT/installer/Vantrel-Setup-<version>.exe,
#                                        the 32-bit Vantrel.exe and VantrelShell.dll: what ships
#   scripts/build-installer.sh win64    $BUILD_ROOT/installer-win64/..., the same installer
#                                        around the 64-bit twin of Vantrel.exe, for test runs on
#                                        machines that cannot execute 32-bit code
# The last line printed is "Installer: <path>". The version is the project's.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_ROOT="${BUILD_ROOT:-$PWD/build}"
main_tree="${1:-win32}"
case "$main_tree" in
    win32) out="$BUILD_ROOT/installer" ;;
    win64) out="$BUILD_ROOT/installer-win64" ;;
    *) echo "usage: $0 [win32|win64]" >&2; exit 2 ;;
esac
version=$(sed -n 's/^project(Vantrel VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "No project version in CMakeLists.txt" >&2; exit 1; }

# Only the deliverables: the test programs are not part of the installer.
build() { # build <preset> <target...>
    local preset=$1
    shift
    cmake --preset "$preset" -B "$BUILD_ROOT/$preset" >/dev/null
    cmake --build "$BUILD_ROOT/$preset" --target "$@"
}
if [ "$main_tree" = win32 ]; then
    build win32-release Vantrel
    build win64-release VantrelShell
else
    build win64-release VantrelShell Vantrel
fi

mkdir -p "$out"
makensis -V2 -WX -DVERSION="$version" -DBIN32="$BUILD_ROOT/$main_tree-release/bin" \
    -DBIN64="$BUILD_ROOT/win64-release/bin" -DOUTDIR="$out" installer/vantrel.nsi
echo "Installer: $out/Vantrel-Setup-$version.exe"
