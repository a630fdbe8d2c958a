#!/usr/bin/env bash
# Takes the README's pictures of the main window after a scan and after a clean,
# docs/images/main-scanned.png and docs/images/main-cleaned.png. A clean started from the
# command line closes the window by itself, and the samples need set ages and a file held
# open, so the window is driven in-process by the MainWindowShots tests of win_tests.exe
# instead: they scan (and clean) sample folders, announce each picture with a .ready file
# and wait for the .done file that this script writes after taking it. Same Wine prefix, desktop and cropping as
# scripts/screenshots.sh; logs go to $BUILD_ROOT/main-shots/.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-env.sh

work="$BUILD_ROOT/main-shots"
# The prefix of scripts/screenshots.sh, so that the pictures look alike and show no
# developer's settings.
export WINEPREFIX="$BUILD_ROOT/screenshots/prefix"
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
out="$PWD/docs/images"
desktop_size=1280x800

cmake --preset $VANTREL_MAIN_TREE -B "$BUILD_ROOT/$VANTREL_MAIN_TREE" >/dev/null
mkdir -p "$work" "$out" "$(dirname "$WINEPREFIX")"
cmake --build "$BUILD_ROOT/$VANTREL_MAIN_TREE" --target win_tests >"$work/build.log" 2>&1 ||
    { cat "$work/build.log"; exit 1; }
program="$VANTREL_MAIN_BIN/win_tests.exe"

cleanup() {
    wineserver -k >/dev/null 2>&1 || true
    [ -n "${VANTREL_XVFB_PID:-}" ] && kill "$VANTREL_XVFB_PID" 2>/dev/null || true
}
vantrel_on_exit cleanup
# Always a display of our own: the picture must not show anything else on the screen.
unset DISPLAY
vantrel_start_display
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >"$work/wineboot.log" 2>&1
    wineserver -w
fi

shots="$work/shots"
rm -rf "$shots"
mkdir -p "$shots"
VANTREL_MAIN_SHOTS="Z:$(echo "$shots" | tr / '\\')" timeout 120 \
    wine explorer "/desktop=shot,$desktop_size" "$program" \
    --gtest_filter='MainWindowShots.*' >"$work/run.log" 2>&1 </dev/null &
runner=$!
while kill -0 "$runner" 2>/dev/null; do
    for ready in "$shots"/*.ready; do
        [ -e "$ready" ] || continue
        name=$(basename "${ready%.ready}")
        import -window root -crop "$desktop_size+0+0" +repage "$work/$name.full.png"
        convert "$work/$name.full.png" -trim +repage "$out/$name.png"
        echo "$out/$name.png ($(identify -format '%wx%h' "$out/$name.png"))"
        rm "$ready"
        touch "$shots/$name.done"
    done
    sleep 0.2
done
wait "$runner" || { echo "the picture run failed: see $work/run.log" >&2; exit 1; }
