#!/usr/bin/env bash
# Builds Vantrel.exe (win32) and VantrelShell.dll (win64), then the per-user installer
# $BUILD_ROOT/installer/Vantrel-Setup-<version>.exe. The version is the project's.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_ROOT="${BUILD_ROOT:-$PWD/build}"
version=$(sed -n 's/^project(Vantrel VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "No project version in CMakeLists.txt" >&2; exit 1; }

# Only the two deliverables: the test programs are not part of the installer.
cmake --preset win32 -B "$BUILD_ROOT/win32" >/dev/null
cmake --build "$BUILD_ROOT/win32" --target Vantrel
cmake --preset win64 -B "$BUILD_ROOT/win64" >/dev/null
cmake --build "$BUILD_ROOT/win64" --target VantrelShell

out="$BUILD_ROOT/installer"
mkdir -p "$out"
makensis -V2 -WX -DVERSION="$version" -DBIN32="$BUILD_ROOT/win32/bin" \
    -DBIN64="$BUILD_ROOT/win64/bin" -DOUTDIR="$out" installer/vantrel.nsi
echo "Installer: $out/Vantrel-Setup-$version.exe"
