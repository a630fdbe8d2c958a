#!/usr/bin/env bash
# Vantrel.exe cleans names that Windows path parsing trims ("notes." reads as "notes")
# beside their trimmed twins, as such names come from Linux, shares and archives: a clean
# of empty files and empty folders deletes exactly the listed "notes.", "blank " and "dir."
# and leaves the twins "notes", "blank" and "dir" (which hold something) untouched.
set -euo pipefail
cd "$(dirname "$0")/../.."
source scripts/wine-env.sh
exe="$VANTREL_MAIN_BIN/Vantrel.exe"
[ -x "$exe" ] || { echo "missing $exe"; exit 1; }
vantrel_start_display
vantrel_start_wine
key='HKCU\Software\Zephrane\Vantrel'
work=$(mktemp -d "$BUILD_ROOT/trimmed-tree.XXXXXX")
cleanup() {
    wine taskkill /F /IM Vantrel.exe >/dev/null 2>&1 </dev/null || true
    wine reg delete "$key" /f >/dev/null 2>&1 </dev/null || true
    rm -rf "$work"
    vantrel_stop_all
}
vantrel_on_exit cleanup

wine reg delete "$key" /f >/dev/null 2>&1 </dev/null || true
# The "Custom" selection, so that the command line's filter and switches count.
wine reg add "$key\\Settings" /v Preset /t REG_DWORD /d 11 /f >/dev/null 2>&1 </dev/null
: >"$work/notes."
echo hello >"$work/notes"
: >"$work/blank "
echo hello >"$work/blank"
mkdir "$work/dir." "$work/dir"
echo hello >"$work/dir/f.txt"

wine "$exe" -c -f "*.zzz" -def -ded -ss "Z:${work//\//\\}" >/dev/null 2>&1 </dev/null &
pid=$!
for _ in $(seq $(($(vantrel_seconds 30) * 5))); do kill -0 "$pid" 2>/dev/null || break; sleep 0.2; done
kill -0 "$pid" 2>/dev/null && { echo "the clean did not end by itself"; exit 1; }
wait "$pid" || true

got=$(cd "$work" && find . -mindepth 1 | sort | tr '\n' '|')
want='./blank|./dir|./dir/f.txt|./notes|'
[ "$got" = "$want" ] || { echo "left [$got], expected [$want]"; exit 1; }
[ "$(cat "$work/notes")" = hello ] || { echo "notes was changed"; exit 1; }
echo "trimmed names: exactly the listed items deleted, their twins intact"
