#!/usr/bin/env bash
# Scan through the real main window under Wine (hidden and visible) against the engine
# alone, on trees with 2,000 and 10,000 matches. Needs window_scan_bench from the build tree that runs here (win32, else win64).
set -euo pipefail
cd "$(dirname "$0")/../.."
source scripts/wine-env.sh
exe="$VANTREL_MAIN_BIN/window_scan_bench.exe"
[ -x "$exe" ] || { echo "missing $exe (build target window_scan_bench)"; exit 1; }
work=$(mktemp -d "$BUILD_ROOT/window-scan.XXXXXX")
trap 'rm -rf "$work"' EXIT
make_tree() {  # root, folders; 20 matches and 20 other files per folder
    for ((d = 0; d < $2; d++)); do
        local dir="$1/m$((d / 10))/Debug_$((d % 10))"
        mkdir -p "$dir"
        (cd "$dir" && for ((f = 0; f < 20; f++)); do echo "$f" >"a_$f.obj"; echo "$f" >"a_$f.cpp"; done)
    done
}
make_tree "$work/t2000" 100
make_tree "$work/t10000" 500
vantrel_start_display
vantrel_start_wine
wine "$exe" "Z:${work//\//\\}\\t2000" "Z:${work//\//\\}\\t10000" >"$work/result.txt" 2>&1 </dev/null
grep -v '^wine:' "$work/result.txt"
