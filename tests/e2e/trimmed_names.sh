#!/usr/bin/env bash
# Vantrel.exe cleans names that Windows path parsing trims ("notes." reads as "notes")
# beside their trimmed twins, as such names come from Linux, shares and archives: a clean
# of empty files and empty folders deletes exactly the listed "notes.", "blank " and "dir."
# and leaves the twins "notes", "blank" and "dir" (which hold something) untouched. The
# same holds for a folder given as "." from inside it and for a "\\.\" folder (forms Windows
# would resolve, trimming every name): "-f "*." -df" deletes the empty "x.o." and "y.o.",
# never "x.o" and "y.o".
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

# Runs Vantrel.exe with the given arguments from the current folder until it ends by itself.
run_clean() {
    wine "$exe" "$@" >/dev/null 2>&1 </dev/null &
    local pid=$!
    for _ in $(seq $(($(vantrel_seconds 30) * 5))); do kill -0 "$pid" 2>/dev/null || break; sleep 0.2; done
    kill -0 "$pid" 2>/dev/null && { echo "the clean [$*] did not end by itself"; exit 1; }
    wait "$pid" || true
}
run_clean -c -f "*.zzz" -def -ded -ss "Z:${work//\//\\}"

got=$(cd "$work" && find . -mindepth 1 | sort | tr '\n' '|')
want='./blank|./dir|./dir/f.txt|./notes|'
[ "$got" = "$want" ] || { echo "left [$got], expected [$want]"; exit 1; }
[ "$(cat "$work/notes")" = hello ] || { echo "notes was changed"; exit 1; }
echo "trimmed names: exactly the listed items deleted, their twins intact"

# A relative folder, from inside it.
mkdir "$work/rel"
echo data >"$work/rel/x.o"
: >"$work/rel/x.o."
(cd "$work/rel" && run_clean -clean -f "*." -df .)
got=$(cd "$work/rel" && find . -mindepth 1 | sort | tr '\n' '|')
[ "$got" = './x.o|' ] || { echo "relative folder: left [$got], expected [./x.o|]"; exit 1; }
[ "$(cat "$work/rel/x.o")" = data ] || { echo "x.o was changed"; exit 1; }
echo "relative folder: x.o. deleted, x.o intact"

# A "\\.\" folder.
mkdir "$work/dev"
echo data >"$work/dev/y.o"
: >"$work/dev/y.o."
run_clean -clean -f "*." -df "\\\\.\\Z:${work//\//\\}\\dev"
got=$(cd "$work/dev" && find . -mindepth 1 | sort | tr '\n' '|')
[ "$got" = './y.o|' ] || { echo "\\\\.\\ folder: left [$got], expected [./y.o|]"; exit 1; }
[ "$(cat "$work/dev/y.o")" = data ] || { echo "y.o was changed"; exit 1; }
echo "\\\\.\\ folder: y.o. deleted, y.o intact"
