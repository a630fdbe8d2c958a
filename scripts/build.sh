#!/usr/bin/env bash
# Configures and builds the given presets (default: host win32 win64).
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_ROOT="${BUILD_ROOT:-$PWD/build}"
for preset in "${@:-host win32 win64}"; do
    for p in $preset; do
        cmake --preset "$p" -B "$BUILD_ROOT/$p" >/dev/null
        cmake --build "$BUILD_ROOT/$p"
    done
done
