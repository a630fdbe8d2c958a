#!/usr/bin/env bash
# Starts Vantrel.exe under Wine, in the build tree's own Wine prefix. Without a display,
# a virtual X server is started and a screenshot is written after a few seconds.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-env.sh
headless=0
[ -z "${DISPLAY:-}" ] && headless=1
vantrel_start_display
vantrel_on_exit vantrel_stop_all
vantrel_start_wine
exe="$VANTREL_MAIN_BIN/Vantrel.exe"
if [ "$headless" -eq 1 ]; then
    echo "No display: running on virtual display $DISPLAY; screenshot in $BUILD_ROOT/vantrel.png"
    wine "$exe" "$@" &
    sleep 6
    import -window root "$BUILD_ROOT/vantrel.png" || true
    wait
else
    wine "$exe" "$@"
fi
