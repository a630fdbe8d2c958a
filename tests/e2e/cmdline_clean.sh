#!/usr/bin/env bash
# Vantrel.exe started from a command line on real folders: the Explorer form
# "-clean -preset 2 <folder> -ac" deletes exactly the GCC intermediates and exits by itself;
# the "Clean Later..." form (one folder) adds the folder and starts nothing; "-s" scans and
# leaves the window open; "-f" with switches counts only under a saved "Custom" selection,
# a saved preset overrides them; -keep and -older, and a stored preset's Keep and
# OlderThanDays, leave kept and fresh items and report the deleted folder's total.
set -euo pipefail
cd "$(dirname "$0")/../.."
source scripts/wine-env.sh
exe="$VANTREL_MAIN_BIN/Vantrel.exe"
[ -x "$exe" ] || { echo "missing $exe"; exit 1; }
vantrel_start_display
vantrel_start_wine
key='HKCU\Software\Zephrane\Vantrel'
work=$(mktemp -d "$BUILD_ROOT/cmdline-tree.XXXXXX")
reset_key() { wine reg delete "$key" /f >/dev/null 2>&1 </dev/null || true; }
cleanup() {
    wine taskkill /F /IM Vantrel.exe >/dev/null 2>&1 </dev/null || true
    reset_key
    rm -rf "$work"
    vantrel_stop_all
}
vantrel_on_exit cleanup

winpath() { local p="Z:${1//\//\\}"; echo "$p"; }
# Waits up to $2 seconds for the wine process $1 to end; 1 when it is still running.
wait_for_exit() {
    for _ in $(seq $(($(vantrel_seconds "$2") * 5))); do
        kill -0 "$1" 2>/dev/null || { wait "$1" || true; return 0; }
        sleep 0.2
    done
    return 1
}
make_tree() {
    rm -rf "$1"
    mkdir -p "$1/sub/deeper"
    for f in a.o a.d main.c keep.txt sub/b.o sub/b.d sub/x.h sub/deeper/c.o notes.tmp \
        sub/old.tmp; do
        echo data >"$1/$f"
    done
}
listing() { (cd "$1" && find . -type f | sort | tr '\n' ' '); }
expect_listing() {
    local got
    got=$(listing "$1")
    [ "$got" = "$2" ] || { echo "$3: left [$got], expected [$2]"; exit 1; }
}
all_files='./a.d ./a.o ./keep.txt ./main.c ./notes.tmp ./sub/b.d ./sub/b.o ./sub/deeper/c.o ./sub/old.tmp ./sub/x.h '
no_gcc='./keep.txt ./main.c ./notes.tmp ./sub/old.tmp ./sub/x.h '
no_tmp='./a.d ./a.o ./keep.txt ./main.c ./sub/b.d ./sub/b.o ./sub/deeper/c.o ./sub/x.h '

# --- the Explorer form: preset 2 cleans and the program ends by itself ---
reset_key
make_tree "$work/t1"
wine "$exe" -clean -preset 2 "$(winpath "$work/t1")" -ac >/dev/null 2>&1 </dev/null &
pid=$!
wait_for_exit "$pid" 30 || { echo "-clean -preset 2 -ac did not end by itself"; exit 1; }
expect_listing "$work/t1" "$no_gcc" "-clean -preset 2"
echo "explorer form: GCC intermediates deleted, program ended by itself"

# --- "Clean Later...": the folder is added, nothing starts ---
reset_key
make_tree "$work/t2"
wine "$exe" "$(winpath "$work/t2")" >/dev/null 2>&1 </dev/null &
pid=$!
vantrel_wait_for_window
if wait_for_exit "$pid" 5; then echo "the Clean Later form closed the window"; exit 1; fi
expect_listing "$work/t2" "$all_files" "Clean Later"
vantrel_close_window || true
wait_for_exit "$pid" 15 || { echo "Vantrel.exe did not close"; exit 1; }
wine reg query "$key\\Settings" /v LastFolder 2>/dev/null </dev/null | grep -q 't2' ||
    { echo "the folder was not added (LastFolder)"; exit 1; }
echo "clean later form: folder added, nothing deleted, window stayed"

# --- "-s": a scan alone never closes the window ---
reset_key
make_tree "$work/t3"
wine "$exe" -s -preset 2 "$(winpath "$work/t3")" -ac >/dev/null 2>&1 </dev/null &
pid=$!
vantrel_wait_for_window
if wait_for_exit "$pid" 6; then echo "-s closed the window"; exit 1; fi
expect_listing "$work/t3" "$all_files" "-s"
vantrel_close_window || true
wait_for_exit "$pid" 15 || { echo "Vantrel.exe did not close"; exit 1; }
echo "-s: scanned, nothing deleted, window stayed open"

# --- "-f" and switches under a saved "Custom" selection (index 11 of the built-ins) ---
reset_key
wine reg add "$key\\Settings" /v Preset /t REG_DWORD /d 11 /f >/dev/null 2>&1 </dev/null
make_tree "$work/t4"
wine "$exe" -c -f " *.tmp " -df -ss "$(winpath "$work/t4")" >/dev/null 2>&1 </dev/null &
pid=$!
wait_for_exit "$pid" 30 || { echo "-c -f under Custom did not end by itself"; exit 1; }
expect_listing "$work/t4" "$no_tmp" "-f under Custom"
echo "-f under Custom: the command line's filter and switches were used"

# --- the same line with a saved preset: the preset wins ---
reset_key
wine reg add "$key\\Settings" /v Preset /t REG_DWORD /d 1 /f >/dev/null 2>&1 </dev/null
make_tree "$work/t5"
wine "$exe" -c -f " *.tmp " -df -ss "$(winpath "$work/t5")" >/dev/null 2>&1 </dev/null &
pid=$!
wait_for_exit "$pid" 30 || { echo "-c -f under a saved preset did not end by itself"; exit 1; }
expect_listing "$work/t5" "$no_gcc" "-f under a saved preset"
echo "-f under a saved preset: the preset's filter and switches were used"

# --- keep filter, marker file and age, from the command line and from a stored preset ---
# Everything is 400 days old but fresh/obj/new.o and today.tmp; the report gives the
# deleted folder's total.
make_aged_tree() {
    rm -rf "$1"
    mkdir -p "$1/build/obj/sub" "$1/fresh/obj" "$1/marked/obj"
    head -c 1000 /dev/zero >"$1/build/obj/a.o"
    head -c 24 /dev/zero >"$1/build/obj/sub/b.o"
    for f in fresh/obj/old.o fresh/obj/new.o marked/obj/x.o lib.pdb notes.tmp today.tmp main.c; do
        echo data >"$1/$f"
    done
    : >"$1/marked/.vantrelkeep"
    find "$1" -depth -exec touch -d '400 days ago' {} +
    touch "$1/fresh/obj/new.o" "$1/today.tmp"
}
aged_left=$(printf '%s\n' ./fresh/obj/new.o ./fresh/obj/old.o ./lib.pdb ./main.c \
    ./marked/.vantrelkeep ./marked/obj/x.o ./today.tmp | sort | tr '\n' ' ')
expect_report() { # expect_report <csv> <what>
    tr -d '\r' <"$1" | grep -q '^Deleted,folder,1024,.*\\build\\obj,$' ||
        { echo "$2: the report lacks the folder's total"; cat "$1"; exit 1; }
    [ "$(tr -d '\r' <"$1" | grep -c '^Deleted,')" = 2 ] ||
        { echo "$2: the report does not list exactly two deleted items"; cat "$1"; exit 1; }
}

reset_key
wine reg add "$key\\Settings" /v Preset /t REG_DWORD /d 11 /f >/dev/null 2>&1 </dev/null
make_aged_tree "$work/t6"
wine "$exe" -c -f "obj;*.tmp;*.pdb" -keep " *.pdb " -older 7 -df -dd -ss -dr \
    "$(winpath "$work/t6")" -report "$(winpath "$work/t6.csv")" >/dev/null 2>&1 </dev/null &
pid=$!
wait_for_exit "$pid" 30 || { echo "-keep -older did not end by itself"; exit 1; }
expect_listing "$work/t6" "$aged_left" "-keep -older"
expect_report "$work/t6.csv" "-keep -older"
echo "-keep -older: kept names, the marked folder and fresh items stayed; report has the total"

reset_key
preset='HKCU\Software\Zephrane\Vantrel\Presets\01'
wine reg add "$key\\Presets" /v Count /t REG_DWORD /d 1 /f >/dev/null 2>&1 </dev/null
wine reg add "$preset" /v Name /t REG_SZ /d "Old builds" /f >/dev/null 2>&1 </dev/null
wine reg add "$preset" /v Filter /t REG_SZ /d "obj;*.tmp;*.pdb" /f >/dev/null 2>&1 </dev/null
wine reg add "$preset" /v Flags /t REG_DWORD /d 0x303 /f >/dev/null 2>&1 </dev/null
wine reg add "$preset" /v Keep /t REG_SZ /d "*.pdb" /f >/dev/null 2>&1 </dev/null
wine reg add "$preset" /v OlderThanDays /t REG_DWORD /d 7 /f >/dev/null 2>&1 </dev/null
make_aged_tree "$work/t7"
wine "$exe" -clean -preset 1 "$(winpath "$work/t7")" -report "$(winpath "$work/t7.csv")" -ac \
    >/dev/null 2>&1 </dev/null &
pid=$!
wait_for_exit "$pid" 30 || { echo "a preset with Keep and OlderThanDays did not end by itself"; exit 1; }
expect_listing "$work/t7" "$aged_left" "stored preset with Keep and OlderThanDays"
expect_report "$work/t7.csv" "stored preset with Keep and OlderThanDays"
echo "stored preset: its Keep and OlderThanDays were honoured"
