#!/usr/bin/env bash
# A build tool swaps a folder for a link between Scan and Clean: Vantrel.exe scans root with
# -f "*.obj;Debug" -df -dd -ss (listing root\out\a.obj and root\out\Debug), root/out is then
# renamed and a link root/out -> ../outside takes its place, and Clean is pressed in the same
# window (the issue's scenario: a scan in one process and a clean in another cannot share a
# list). Both rows end "Failed", nothing in outside is touched, and the exit code is 1.
set -euo pipefail
cd "$(dirname "$0")/../.."
source scripts/wine-env.sh
exe="$VANTREL_MAIN_BIN/Vantrel.exe"
helper="$VANTREL_MAIN_BIN/e2e_helper.exe"
for program in "$exe" "$helper"; do [ -x "$program" ] || { echo "missing $program"; exit 1; }; done
vantrel_start_display
vantrel_start_wine
key='HKCU\Software\Zephrane\Vantrel'
work=$(mktemp -d "$BUILD_ROOT/swap-tree.XXXXXX")
cleanup() {
    wine taskkill /F /IM Vantrel.exe >/dev/null 2>&1 </dev/null || true
    wine reg delete "$key" /f >/dev/null 2>&1 </dev/null || true
    rm -rf "$work"
    vantrel_stop_all
}
trap cleanup EXIT

wine reg delete "$key" /f >/dev/null 2>&1 </dev/null || true
# The "Custom" selection, so that the command line's filter and switches count.
wine reg add "$key\\Settings" /v Preset /t REG_DWORD /d 11 /f >/dev/null 2>&1 </dev/null
mkdir -p "$work/root/out/Debug" "$work/outside/Debug"
echo data >"$work/root/out/a.obj"
echo data >"$work/root/out/Debug/x.obj"
echo keep >"$work/outside/a.obj"
echo keep >"$work/outside/Debug/x.obj"
win() { echo "Z:${1//\//\\}"; }

wine "$exe" -scan -f "*.obj;Debug" -df -dd -ss "$(win "$work/root")" \
    -report "$(win "$work/report.csv")" >/dev/null 2>&1 </dev/null &
pid=$!
for _ in $(seq 150); do [ -s "$work/report.csv" ] && break; sleep 0.2; done
grep -q 'out\\a.obj' "$work/report.csv" || { echo "the scan did not list out\\a.obj"; exit 1; }
grep -q 'out\\Debug' "$work/report.csv" || { echo "the scan did not list out\\Debug"; exit 1; }

mv "$work/root/out" "$work/root/out.old"
ln -s ../outside "$work/root/out"
rm "$work/report.csv"
wine "$helper" press 1033 20 </dev/null || { echo "no Clean button to press"; exit 1; }
for _ in $(seq 150); do [ -s "$work/report.csv" ] && break; sleep 0.2; done
[ -s "$work/report.csv" ] || { echo "the clean did not end"; exit 1; }
# The window closes by itself after a clean when the command line gave folders; otherwise
# Close is pressed.
for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.2; done
if kill -0 "$pid" 2>/dev/null; then
    wine "$helper" press 1 20 </dev/null || { echo "no Close button to press"; exit 1; }
fi
code=0
wait "$pid" || code=$?
cat "$work/report.csv"

[ "$(grep -c '^Failed,' "$work/report.csv")" = 2 ] || { echo "both rows must end Failed"; exit 1; }
[ "$code" = 1 ] || { echo "exit code $code, expected 1"; exit 1; }
[ -f "$work/outside/a.obj" ] && [ -f "$work/outside/Debug/x.obj" ] ||
    { echo "a file outside the chosen folder was deleted"; exit 1; }
[ -f "$work/root/out.old/a.obj" ] || { echo "the renamed folder lost its file"; exit 1; }
echo "folder swapped for a link after the scan: both rows Failed, outside intact, exit code 1"
