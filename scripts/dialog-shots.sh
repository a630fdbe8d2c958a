#!/usr/bin/env bash
# Pictures of the Presets, About and Settings dialogs under a Wine virtual desktop, as PNG
# files in $BUILD_ROOT/dialog-shots. Needs win_tests.exe of the build tree that runs here (or the test
# program given as $1). The test announces each picture with a .ready file and waits for
# the .done file that this script writes after taking it.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-env.sh
vantrel_start_display
vantrel_on_exit vantrel_stop_all
vantrel_start_wine
program="${1:-$VANTREL_TEST_BIN/win_tests.exe}"
out="$BUILD_ROOT/dialog-shots"
rm -rf "$out"
mkdir -p "$out"
VANTREL_DIALOG_SHOTS="Z:$(echo "$out" | tr / '\\')" timeout 120 \
    wine explorer /desktop=shots,800x600 "$program" \
    --gtest_filter='DialogShots.*' >"$out/run.log" 2>&1 </dev/null &
runner=$!
while kill -0 "$runner" 2>/dev/null; do
    for ready in "$out"/*.ready; do
        [ -e "$ready" ] || continue
        name="${ready%.ready}"
        import -window root "$name.png"
        rm "$ready"
        touch "$name.done"
    done
    sleep 0.2
done
rm -f "$out"/*.done
ls "$out"/*.png
