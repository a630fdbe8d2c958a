#!/usr/bin/env bash
# Builds bench/win/scan_vs_walk.exe and runs it under Wine on generated trees:
# 100,000 files in 1,000 folders for the scan (once with a file filter, once with every
# folder matched, so that the scan totals and dates 100,000 files inside matched folders),
# two trees of 20,000 listed files for the clean. Trees live in the build tree and are removed afterwards.
set -euo pipefail
cd "$(dirname "$0")/../.."
source scripts/wine-env.sh
out="$BUILD_ROOT/bench-win"
mkdir -p "$out"
# The 32-bit build where this machine can run it, else the 64-bit one.
compiler=i686-w64-mingw32-g++-posix
[ "$VANTREL_MAIN_TREE" = win32 ] || compiler=x86_64-w64-mingw32-g++-posix
"$compiler" -std=c++20 -O2 -DNDEBUG -DUNICODE -D_UNICODE -D_WIN32_WINNT=0x0601 \
    -DNOMINMAX -I. -static -municode bench/win/scan_vs_walk.cpp engine/*.cpp win32/long_path.cpp \
    win32/absolute_path.cpp win32/redirection.cpp win32/recycle_item.cpp win32/shell_delete.cpp \
    win32/win32_file_system.cpp config/cleaning_options.cpp -lshlwapi -lshell32 -lole32 \
    -luuid -o "$out/scan_vs_walk.exe"

work=$(mktemp -d "$out/trees.XXXXXX")
trap 'rm -rf "$work"; vantrel_stop_all' EXIT
make_tree() {  # root, folders, files per folder
    local root=$1 folders=$2 files=$3
    for ((d = 0; d < folders; d++)); do
        local dir="$root/p$((d / 100))/m$((d / 10 % 10))/Debug_$((d % 10))"
        mkdir -p "$dir"
        (cd "$dir" && for ((f = 0; f < files; f++)); do
            if ((f % 2)); then echo "$f" >"src_$f.cpp"; else echo "$f" >"src_$f.obj"; fi
        done)
    done
}
make_tree "$work/scan" 1000 100
make_tree "$work/a" 400 100
make_tree "$work/b" 400 100
vantrel_start_wine
win() { echo "Z:${1//\//\\}"; }
wine "$out/scan_vs_walk.exe" "$(win "$work/scan")" "$(win "$work/a")" "$(win "$work/b")" \
    >"$out/result.txt" 2>&1 </dev/null
cat "$out/result.txt"
