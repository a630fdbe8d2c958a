#!/usr/bin/env bash
# The Explorer flow from nothing to nothing, in a fresh Wine prefix of its own: a silent
# install; a driver that plays Explorer creates the registered context-menu handler over
# two real folders and picks "Delete GCC intermediate files", and the real Vantrel.exe
# scans, cleans and closes by itself, leaving exactly the *.o and *.d files gone; then
# the same preset stored with a Keep filter and an age, which leaves kept and fresh files;
# "Clean Later...", which opens Vantrel with both folders listed and deletes nothing,
# closed through its window; then a silent uninstall, which leaves only the settings.
set -uo pipefail
cd "$(dirname "$0")/../.."
source scripts/wine-env.sh

work="$BUILD_ROOT/e2e-explorer-flow"
export WINEPREFIX="$work/prefix"
# No desktop integration: the Start-menu shortcut would otherwise make Wine write menu
# entries into the real home folder.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

failures=0
started=$SECONDS
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok:   $*"; }
check() { # check <description> <command...>
    local what=$1
    shift
    if "$@"; then pass "$what"; else fail "$what"; fi
}
not() { ! "$@"; }
step() { echo "--- $* ($((SECONDS - started)) s)"; }

step "building the installer and the driver"
mkdir -p "$BUILD_ROOT"
vantrel_installer_note
{ scripts/build-installer.sh "$VANTREL_MAIN_TREE" &&
    cmake --build "$BUILD_ROOT/win64" --target explorer_driver; } \
    >"$BUILD_ROOT/e2e-explorer-flow.build.log" 2>&1 ||
    { cat "$BUILD_ROOT/e2e-explorer-flow.build.log"; exit 1; }
setup=$(sed -n 's/^Installer: //p' "$BUILD_ROOT/e2e-explorer-flow.build.log")
driver="$BUILD_ROOT/win64/bin/explorer_driver.exe"

# The prefix is private and its server not persistent: "wineserver -w" returns when every
# process in it has ended (the started Vantrel.exe included) and writes the registry
# hives. A process still running after the bound fails the step and is ended.
wine_wait() { # wine_wait <seconds> <what>
    timeout "$1" wineserver -w && return 0
    fail "$2: Wine processes still running after $1 s"
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w
    return 1
}
cleanup() {
    wineserver -k >/dev/null 2>&1 || true
    [ -n "${VANTREL_XVFB_PID:-}" ] && kill "$VANTREL_XVFB_PID" 2>/dev/null || true
}
vantrel_on_exit cleanup

step "fresh prefix"
wineserver -k >/dev/null 2>&1 || true
chmod -R u+w "$work" 2>/dev/null
rm -rf "$work"
mkdir -p "$work"
vantrel_start_display
wineboot -i >"$work/wineboot.log" 2>&1
wine_wait 180 "wineboot"

user=$(ls "$WINEPREFIX/drive_c/users" | grep -vx Public | head -1)
install_dir="$WINEPREFIX/drive_c/users/$user/AppData/Local/Programs/Vantrel"
clsid="{E534891D-61B8-41BC-9028-92C328D64EEA}"
typelib="{BA3A3BC5-B82A-457E-A837-821AB3E7BF86}"
appid="{84640F5D-217D-48D7-B86B-59CA25CFBB78}"

# Everything on drive C: except Wine's own Windows folder and the temp folders.
file_list() {
    (cd "$WINEPREFIX/drive_c" && find . -path ./windows -prune -o -path "./users/*/Temp" -prune \
        -o -print | sort)
}
file_list >"$work/files-before.txt"

# Two project folders, the second with a blank in its name, each with build output in
# subfolders, near misses of the patterns, a read-only object file (the preset forces
# read-only items), a read-only source, an empty file, an empty folder and a folder whose
# own name matches (the preset deletes files only).
trees="$work/trees"
alpha="$trees/alpha"
beta="$trees/beta project"
make_trees() {
    chmod -R u+w "$trees" 2>/dev/null
    rm -rf "$trees"
    local root
    for root in "$alpha" "$beta"; do
        mkdir -p "$root/src/deep/er" "$root/obj.o" "$root/empty dir"
        printf 'int main() {}\n' >"$root/src/main.c"
        printf 'object' >"$root/src/main.o"
        printf 'main.o: main.c\n' >"$root/src/main.d"
        printf 'x' >"$root/src/deep/er/util.o"
        printf 'x' >"$root/src/deep/er/util.d"
        printf 'keep' >"$root/src/deep/er/util.od"
        printf 'keep' >"$root/src/main.o.txt"
        printf 'keep' >"$root/src/main.obj"
        printf 'keep' >"$root/src/maindd"
        printf 'x' >"$root/obj.o/inside.o"
        printf 'keep' >"$root/obj.o/inside.c"
        printf 'x' >"$root/locked.o"
        chmod a-w "$root/locked.o"
        printf 'keep' >"$root/readonly.h"
        chmod a-w "$root/readonly.h"
        : >"$root/empty.txt"
        printf 'x' >"$root/TOP.O"
        printf 'keep' >"$root/Makefile"
    done
}
# One line per item: files with size, permissions and modification time; folders by
# name only (deleting a file changes its folder's time).
snapshot() {
    (cd "$trees" && find . -mindepth 1 \( -type d -printf '%P/ dir\n' \) -o \
        \( -printf '%P %s %m %T@\n' \) | sort)
}
# The same snapshot without the files that "*.o;*.d" names (case does not matter on
# Windows): what must remain after the clean.
expected_after_clean() {
    grep -viE '\.(o|d) [0-9]+ [0-7]+ [0-9.]+$' "$1"
}
win_path() { printf 'Z:%s' "${1//\//\\}"; }
win_alpha=$(win_path "$alpha")
win_beta=$(win_path "$beta")

step "silent install"
wine "$setup" /S >"$work/install.log" 2>&1
rc=$?
wine_wait 180 "installer"
check "installer exit code 0 (got $rc)" test "$rc" -eq 0
check "Vantrel.exe installed" test -s "$install_dir/Vantrel.exe"

step "Explorer: Delete GCC intermediate files"
make_trees
snapshot >"$work/clean-before.txt"
expected_after_clean "$work/clean-before.txt" >"$work/clean-expected.txt"
check "the trees hold files to delete" \
    test "$(wc -l <"$work/clean-before.txt")" -gt "$(wc -l <"$work/clean-expected.txt")"
clean_started=$SECONDS
wine "$driver" invoke "Delete GCC intermediate files" "$win_alpha" "$win_beta" \
    >"$work/driver-clean.log" 2>&1
rc=$?
check "driver invoked the entry (exit code $rc)" test "$rc" -eq 0
[ "$rc" -eq 0 ] || cat "$work/driver-clean.log"
# Vantrel.exe scans, cleans and closes itself; waiting for the prefix to empty waits for it.
wine_wait 120 "Vantrel.exe after the clean" &&
    pass "Vantrel.exe closed by itself after $((SECONDS - clean_started)) s"
snapshot >"$work/clean-after.txt"
check "exactly the *.o and *.d files of both folders are gone, nothing else changed" \
    diff -u "$work/clean-expected.txt" "$work/clean-after.txt"
check "the program ran and stored its settings at exit" \
    grep -q '^"LastFolder"=' "$WINEPREFIX/user.reg"

step "Explorer: a preset with Keep and OlderThanDays"
# The stored preset keeps util.* and only takes items unchanged for 7 days; everything is
# 400 days old but src/main.o.
gcc_preset='HKCU\Software\Zephrane\Vantrel\Presets\02'
wine reg add "$gcc_preset" /v Keep /t REG_SZ /d "util.*" /f >/dev/null 2>&1
wine reg add "$gcc_preset" /v OlderThanDays /t REG_DWORD /d 7 /f >/dev/null 2>&1
wine_wait 60 "reg add"
make_trees
find "$trees" -depth -exec touch -h -d '400 days ago' {} +
touch "$alpha/src/main.o" "$beta/src/main.o"
snapshot >"$work/keep-before.txt"
{
    expected_after_clean "$work/keep-before.txt"
    grep -E '/(util\.(o|d)|src/main\.o) [0-9]+ [0-7]+ [0-9.]+$' "$work/keep-before.txt"
} | sort >"$work/keep-expected.txt"
wine "$driver" invoke "Delete GCC intermediate files" "$win_alpha" "$win_beta" \
    >"$work/driver-keep.log" 2>&1
rc=$?
check "driver invoked the preset with Keep and age (exit code $rc)" test "$rc" -eq 0
wine_wait 120 "Vantrel.exe after the clean with Keep and age"
snapshot >"$work/keep-after.txt"
check "kept util.* and the fresh main.o stayed, the other *.o and *.d files are gone" \
    diff -u "$work/keep-expected.txt" "$work/keep-after.txt"

step "Explorer: Clean Later..."
make_trees
snapshot >"$work/later-before.txt"
later_started=$SECONDS
wine "$driver" invoke "Clean Later..." "$win_alpha" "$win_beta" >"$work/driver-later.log" 2>&1
rc=$?
check "driver invoked Clean Later... (exit code $rc)" test "$rc" -eq 0
[ "$rc" -eq 0 ] || cat "$work/driver-later.log"
# The window may show before the command line's folders are in the list: ask again
# for a while.
printf '%s\n%s\n' "$win_alpha" "$win_beta" >"$work/later-expected-folders.txt"
deadline=$((SECONDS + 60))
while :; do
    wine "$driver" folders Vantrel 5 >"$work/later-folders.txt" 2>"$work/driver-folders.log"
    cmp -s <(tr -d '\r' <"$work/later-folders.txt") "$work/later-expected-folders.txt" && break
    [ "$SECONDS" -lt "$deadline" ] || break
    sleep 0.5
done
tr -d '\r' <"$work/later-folders.txt" >"$work/later-folders-unix.txt"
check "the program opened with both folders listed, in order" \
    diff -u "$work/later-expected-folders.txt" "$work/later-folders-unix.txt"
sleep 1
check "nothing deleted while the window is open" \
    cmp -s "$work/later-before.txt" <(snapshot)
wine "$driver" close Vantrel 10 >"$work/driver-close.log" 2>&1
check "window closed through WM_CLOSE" test $? -eq 0
wine_wait 60 "Vantrel.exe after WM_CLOSE" &&
    pass "Vantrel.exe ended $((SECONDS - later_started)) s after Clean Later..."
snapshot >"$work/later-after.txt"
check "Clean Later... deleted nothing" diff -u "$work/later-before.txt" "$work/later-after.txt"

step "silent uninstall"
wine "$install_dir/Uninstall.exe" /S >"$work/uninstall.log" 2>&1
rc=$?
wine_wait 180 "uninstaller"
check "uninstaller exit code 0 (got $rc)" test "$rc" -eq 0
check "install folder removed" test ! -e "$install_dir"
file_list >"$work/files-after.txt"
comm -13 "$work/files-before.txt" "$work/files-after.txt" >"$work/files-left.txt"
check "no file or folder left behind" test ! -s "$work/files-left.txt"
sed 's/^/      left: /' "$work/files-left.txt"
leftovers() {
    grep -n -i -e "$clsid" -e "$typelib" -e "$appid" -e 'vantrelshell' -e 'AppFolder' \
        -e 'programs\\\\vantrel' -e 'CurrentVersion\\\\Uninstall\\\\Vantrel' \
        "$WINEPREFIX/user.reg" "$WINEPREFIX/system.reg"
}
check "no registration, uninstall entry or program path left in the registry" \
    test -z "$(leftovers)"
leftovers | sed 's/^/      left: /'
check "the user's settings are kept" grep -qi '^\[Software\\\\Zephrane\\\\Vantrel\\\\Settings\]' \
    "$WINEPREFIX/user.reg"
check "the user's presets are kept" grep -qi '^\[Software\\\\Zephrane\\\\Vantrel\\\\Presets\]' \
    "$WINEPREFIX/user.reg"

echo "elapsed: $((SECONDS - started)) s"
[ "$failures" -eq 0 ] && echo "PASS explorer_flow" || echo "FAILED: $failures check(s)"
[ "$failures" -eq 0 ]
