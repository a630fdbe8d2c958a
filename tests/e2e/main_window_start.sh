#!/usr/bin/env bash
# Vantrel.exe as a whole: "-h" shows only the usage box (no main window) and still writes
# the settings at exit; a plain start opens the main window, and closing it writes the
# fourteen settings and the eleven built-in presets.
set -euo pipefail
cd "$(dirname "$0")/../.."
source scripts/wine-env.sh
exe="$VANTREL_MAIN_BIN/Vantrel.exe"
[ -x "$exe" ] || { echo "missing $exe"; exit 1; }
vantrel_start_display
vantrel_start_wine
key='HKCU\Software\Zephrane\Vantrel'
log=$(mktemp "$BUILD_ROOT/main-start.XXXXXX")
reset_key() { wine reg delete "$key" /f >/dev/null 2>&1 || true; }
cleanup() {
    wine taskkill /F /IM Vantrel.exe >/dev/null 2>&1 || true
    reset_key
    rm -f "$log"
    vantrel_stop_all
}
vantrel_on_exit cleanup

# X windows of Wine's top-level windows titled exactly "Vantrel", as "id width".
vantrel_windows() {
    for id in $(xdotool search --onlyvisible --name '^Vantrel$' 2>/dev/null); do
        echo "$id $(xwininfo -id "$id" | awk '/Width:/ {print $2}')"
    done
}
wait_for_window() {
    for _ in $(seq 100); do
        [ -n "$(vantrel_windows)" ] && return 0
        sleep 0.2
    done
    echo "no window appeared"; return 1
}
# Waits for the wine process started last (it ends with Vantrel.exe).
wait_for_exit() {
    for _ in $(seq 100); do
        kill -0 "$1" 2>/dev/null || { wait "$1" || true; return 0; }
        sleep 0.2
    done
    echo "Vantrel.exe did not end"; return 1
}
settings_count() {
    wine reg query "$key\\Settings" 2>/dev/null </dev/null | grep -cE 'REG_(DWORD|SZ)' || true
}

# --- "-h": the usage box alone ---
reset_key
wine "$exe" -h 'C:\windows' >"$log" 2>&1 </dev/null &
pid=$!
wait_for_window
sleep 1
windows=$(vantrel_windows)
echo "windows with -h: $windows"
[ "$(echo "$windows" | wc -l)" -eq 1 ] || { echo "more than one window"; exit 1; }
width=$(echo "$windows" | awk '{print $2}')
# The main window is about 1,000 pixels wide at its template size; the box is far smaller.
[ "$width" -lt 900 ] || { echo "the main window opened with -h (width $width)"; exit 1; }
wine taskkill /IM Vantrel.exe >/dev/null 2>&1 </dev/null
wait_for_exit "$pid"
n=$(settings_count)
[ "$n" -eq 16 ] || { echo "usage path wrote $n settings, expected 16"; exit 1; }
wine reg query "$key\\Settings" /v LastFolder 2>/dev/null </dev/null | grep -q 'windows' &&
    { echo "the folder of the -h line was added"; exit 1; }
echo "usage path: one box, 16 settings written"

# --- plain start: the main window; closing it writes everything ---
reset_key
wine "$exe" >"$log" 2>&1 </dev/null &
pid=$!
wait_for_window
sleep 1
width=$(vantrel_windows | awk 'NR==1 {print $2}')
[ "$width" -ge 640 ] || { echo "main window too narrow: $width"; exit 1; }
wine taskkill /IM Vantrel.exe >/dev/null 2>&1 </dev/null
wait_for_exit "$pid"
n=$(settings_count)
[ "$n" -eq 16 ] || { echo "plain start wrote $n settings, expected 16"; exit 1; }
wine reg query "$key\\Presets" /v Count 2>/dev/null </dev/null | grep -q '0xb' ||
    { echo "preset count is not 11"; exit 1; }
for i in 01 02 03 04 05 06 07 08 09 10 11; do
    wine reg query "$key\\Presets\\$i" /v Name >/dev/null 2>&1 </dev/null ||
        { echo "preset $i missing"; exit 1; }
done
wine reg query "$key\\Settings" /v ShowFileSizes 2>/dev/null </dev/null | grep -q '0x1' ||
    { echo "ShowFileSizes not written as 1"; exit 1; }
echo "plain start: main window, 16 settings and 11 presets written at exit"
