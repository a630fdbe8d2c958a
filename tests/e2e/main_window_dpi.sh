#!/usr/bin/env bash
# The main window started at 144 DPI: Wine takes the DPI from LogPixels when a process
# starts, so the Windows tests of the main window's DPI run in a prefix of their own with
# LogPixels 144, and check that the pixel-sized parts grew like the dialog-unit parts and
# that no control overlaps another. The value is removed again afterwards.
set -euo pipefail
cd "$(dirname "$0")/../.."
source scripts/wine-env.sh
export WINEPREFIX="$BUILD_ROOT/wineprefix-dpi"
tests="$VANTREL_TEST_BIN/win_tests.exe"
[ -x "$tests" ] || { echo "missing $tests"; exit 1; }
desktop='HKCU\Control Panel\Desktop'
vantrel_start_display
vantrel_start_wine
cleanup() {
    wine reg delete "$desktop" /v LogPixels /f >/dev/null 2>&1 </dev/null || true
    vantrel_stop_all
}
vantrel_on_exit cleanup

wine reg add "$desktop" /v LogPixels /t REG_DWORD /d 144 /f >/dev/null </dev/null
VANTREL_EXPECT_DPI=144 wine "$tests" --gtest_filter='MainWindowDpi.AtTheScreenDpi*' </dev/null
