#!/usr/bin/env bash
# The main window against the engine alone and against the bare system calls, in one run
# under Wine on generated trees (20 *.obj and 20 *.cpp files per folder):
#   scan:  10,000 and 100,000 matches, engine alone and through the visible window, with
#          the working set the rows take;
#   stop:  Stop and the close box during a 100,000-row scan;
#   clean: Scan & Clean as the command line starts it, 5,000 matches among 10,000 files and
#          100,000 among 200,000, against a FindFirstFileExW walk + DeleteFileW loop over an
#          identical tree.
# Needs window_scan_bench from the release build of the tree that runs here, e.g.
#   cmake --preset win64-release && cmake --build build/win64-release --target window_scan_bench
# (win32-release where the machine runs 32-bit code). WINDOW_SCAN_EXE chooses another build.
set -euo pipefail
cd "$(dirname "$0")/../.."
source scripts/wine-env.sh
exe="${WINDOW_SCAN_EXE:-$BUILD_ROOT/$VANTREL_MAIN_TREE-release/bin/window_scan_bench.exe}"
[ -x "$exe" ] || { echo "missing window_scan_bench.exe (build target window_scan_bench)"; exit 1; }
echo "using $exe"
work=$(mktemp -d "$BUILD_ROOT/window-scan.XXXXXX")
trap 'rm -rf "$work"; vantrel_stop_all' EXIT
make_tree() {  # root, folders
    for ((d = 0; d < $2; d++)); do
        local dir="$1/p$((d / 100))/m$((d / 10 % 10))/Debug_$((d % 10))"
        mkdir -p "$dir"
        (cd "$dir" && touch a_{0..19}.obj a_{0..19}.cpp)
    done
}
make_tree "$work/warm" 5
make_tree "$work/scan10k" 500
make_tree "$work/big_a" 5000
make_tree "$work/clean5k_a" 250
cp -r "$work/big_a" "$work/big_b"
cp -r "$work/clean5k_a" "$work/clean5k_b"
win() { echo "Z:${1//\//\\}"; }
vantrel_start_display
vantrel_start_wine
# The wineserver of this prefix (its working folder is named after the prefix's device and
# inode): the clean reports the CPU it spent on the window's run and on the bare loop.
server_dir=$(printf "server-%x-%x" "$(stat -c %d "$WINEPREFIX")" "$(stat -c %i "$WINEPREFIX")")
for proc in /proc/[0-9]*; do
    if [ "$(basename "$(readlink "$proc/cwd" 2>/dev/null)")" = "$server_dir" ] &&
        [[ "$(cat "$proc/comm" 2>/dev/null)" == wineserver* ]]; then
        export BENCH_SERVER_PID=${proc#/proc/}
    fi
done
# The first window of a process loads the shell's icon lists and the common controls: a
# small scan takes that start-up before anything is measured.
wine "$exe" warm "$(win "$work/warm")" scan "$(win "$work/scan10k")" scan "$(win "$work/big_a")" \
    stop "$(win "$work/big_a")" \
    clean "$(win "$work/clean5k_a")" "$(win "$work/clean5k_b")" \
    clean "$(win "$work/big_a")" "$(win "$work/big_b")" >"$work/result.txt" 2>&1 </dev/null
grep -v '^wine:' "$work/result.txt"
