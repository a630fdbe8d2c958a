#!/usr/bin/env bash
# Pictures of the main window during and after a Scan of 100,000 matches, started from the
# command line ("-scan -f *.obj -df -ss <tree>", which leaves the window open), under a
# Wine virtual desktop on a virtual X server of its own. Pictures go to $1 (default
# $BUILD_ROOT/window-scan-shots): during-1.png, during-2.png (while rows arrive) and
# after.png. Uses the Vantrel.exe of the release build of the tree that runs here
# (build/win64-release or build/win32-release), else of its debug build.
set -euo pipefail
cd "$(dirname "$0")/../.."
source scripts/wine-env.sh
exe="${VANTREL_EXE:-$BUILD_ROOT/$VANTREL_MAIN_TREE-release/bin/Vantrel.exe}"
[ -x "$exe" ] || exe="$VANTREL_MAIN_BIN/Vantrel.exe"
[ -x "$exe" ] || { echo "missing Vantrel.exe (build target Vantrel)"; exit 1; }
out="${1:-$BUILD_ROOT/window-scan-shots}"
mkdir -p "$out"
# SHOT_TREE names an existing tree to scan instead of a generated one (it is kept).
tree="${SHOT_TREE:-}"
made=""
if [ -z "$tree" ]; then
    tree=$(mktemp -d "$BUILD_ROOT/window-shots.XXXXXX")
    made=$tree
    for ((d = 0; d < 5000; d++)); do # 20 *.obj and 20 *.cpp files per folder
        dir="$tree/p$((d / 100))/m$((d / 10 % 10))/Debug_$((d % 10))"
        mkdir -p "$dir"
        (cd "$dir" && touch a_{0..19}.obj a_{0..19}.cpp)
    done
fi
cleanup() {
    wineserver -k >/dev/null 2>&1 || true
    [ -n "${VANTREL_XVFB_PID:-}" ] && kill "$VANTREL_XVFB_PID" 2>/dev/null || true
    [ -z "$made" ] || rm -rf "$made"
}
trap cleanup EXIT
unset DISPLAY
vantrel_start_display
vantrel_start_wine
size=1280x800
shot() { import -window root -crop "$size+0+0" +repage "$out/$1" 2>/dev/null && echo "$out/$1"; }
wine explorer "/desktop=shot,$size" "$exe" -scan -f '*.obj' -df -ss "Z:${tree//\//\\}" \
    >"$out/run.log" 2>&1 &
sleep "${SHOT_FIRST:-3}"
shot during-1.png
sleep "${SHOT_SECOND:-2}"
shot during-2.png
sleep "${SHOT_AFTER:-40}"
shot after.png
