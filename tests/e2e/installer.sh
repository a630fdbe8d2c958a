#!/usr/bin/env bash
# Installs Vantrel silently into a fresh Wine prefix of its own, checks the installed
# files, "AppFolder", the uninstall entry, the Start-menu shortcut and the per-user
# registration of the Explorer extension; then uninstalls silently and checks that
# nothing is left but the user's settings, which a silent uninstall keeps.
set -uo pipefail
cd "$(dirname "$0")/../.."
source scripts/wine-env.sh

work="$BUILD_ROOT/e2e-installer"
export WINEPREFIX="$work/prefix"
# No desktop integration: a shortcut in the Start menu would otherwise make Wine write
# menu entries into the real home folder.
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

# The installer of the sources as they are (quick when nothing changed).
step "building the installer"
mkdir -p "$BUILD_ROOT"
vantrel_installer_note
scripts/build-installer.sh "$VANTREL_MAIN_TREE" >"$BUILD_ROOT/e2e-installer.build.log" 2>&1 ||
    { cat "$BUILD_ROOT/e2e-installer.build.log"; exit 1; }
setup=$(sed -n 's/^Installer: //p' "$BUILD_ROOT/e2e-installer.build.log")
version=$(sed -n 's/^project(Vantrel VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
check "installer named after version $version" test "$(basename "$setup")" = "Vantrel-Setup-$version.exe"

# The prefix is private and its server is not persistent, so "wineserver -w" returns
# when every process in it has ended: that is how the test waits for the uninstaller,
# which NSIS runs as a copy from the temp folder after the started one has exited. It
# also writes the registry hives, which the checks read. A hung process fails the step.
wine_wait() {
    timeout 180 wineserver -w && return 0
    fail "Wine processes still running after 180 s"
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w
}
cleanup() {
    wineserver -k >/dev/null 2>&1 || true
    [ -n "${VANTREL_XVFB_PID:-}" ] && kill "$VANTREL_XVFB_PID" 2>/dev/null || true
}
vantrel_on_exit cleanup

step "fresh prefix"
wineserver -k >/dev/null 2>&1 || true
rm -rf "$work"
mkdir -p "$work"
vantrel_start_display
wineboot -i >"$work/wineboot.log" 2>&1
wine_wait

user=$(ls "$WINEPREFIX/drive_c/users" | grep -vx Public | head -1)
profile="$WINEPREFIX/drive_c/users/$user"
win_profile="C:\\users\\$user"
install_dir="$profile/AppData/Local/Programs/Vantrel"
win_install_dir="$win_profile\\AppData\\Local\\Programs\\Vantrel"
shortcut="$profile/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Vantrel.lnk"

clsid="{E534891D-61B8-41BC-9028-92C328D64EEA}"
appid="{84640F5D-217D-48D7-B86B-59CA25CFBB78}"
typelib="{BA3A3BC5-B82A-457E-A837-821AB3E7BF86}"
iid="{10F59657-5117-49EE-B3C3-C9372AF789E9}"
uninst_key='Software\Microsoft\Windows\CurrentVersion\Uninstall\Vantrel'
app_key='Software\Zephrane\Vantrel'

# Everything on drive C: except Wine's own Windows folder and the temp folders.
file_list() {
    (cd "$WINEPREFIX/drive_c" && find . -path ./windows -prune -o -path "./users/*/Temp" -prune \
        -o -print | sort)
}
# Key names of a hive file, one a line, in lower case (the registry ignores case).
key_list() { sed -n 's/^\[\(.*\)\] [0-9]*$/\1/p' "$WINEPREFIX/$1" | tr 'A-Z' 'a-z' | sort -u; }
# Hive files are written when the server exits; every caller has waited for that.
# reg_value <hive file> <key> <value name, or @ for the default value>: the stored text,
# as the hive file writes it (strings with their quotes, dword:xxxxxxxx).
reg_value() {
    local key name
    key=$(printf '%s' "$2" | sed 's/\\/\\\\\\\\/g')
    name=$3
    [ "$name" = @ ] || name="\"$name\""
    awk -v key="[$key]" -v name="$name" '
        BEGIN { key = tolower(key) }
        /^\[/ { inside = (tolower(substr($0, 1, length(key))) == key && substr($0, length(key) + 1, 1) == " ") ; next }
        inside && index($0, name "=") == 1 { print substr($0, length(name) + 2); found = 1; exit }
        END { exit !found }' "$WINEPREFIX/$1"
}
# grep reads its whole input (no -q): with pipefail an early exit would fail the writer.
has_key() { key_list "$1" | grep -xF "$(printf '%s' "$2" | sed 's/\\/\\\\/g' | tr 'A-Z' 'a-z')" >/dev/null; }
# A REG_SZ as the hive file writes it: quoted, backslashes and quotes escaped.
sz() { printf '"%s"' "$(printf '%s' "$1" | sed 's/\\/\\\\/g; s/"/\\"/g')"; }
value_is() { # value_is <hive> <key> <name> <expected REG_SZ text>
    local got
    got=$(reg_value "$1" "$2" "$3") || { echo "      missing: $2 : $3"; return 1; }
    [ "$got" = "$(sz "$4")" ] || { echo "      $2 : $3 = $got, expected $(sz "$4")"; return 1; }
}

file_list >"$work/files-before.txt"
key_list user.reg >"$work/user-keys-before.txt"
key_list system.reg >"$work/system-keys-before.txt"

step "silent install"
wine "$setup" /S >"$work/install.log" 2>&1
rc=$?
wine_wait
check "installer exit code 0 (got $rc)" test "$rc" -eq 0

for f in Vantrel.exe VantrelShell.dll Uninstall.exe; do
    check "installed $f" test -s "$install_dir/$f"
done
check "Vantrel.exe is the built one" cmp -s "$install_dir/Vantrel.exe" "$BUILD_ROOT/$VANTREL_MAIN_TREE-release/bin/Vantrel.exe"
check "VantrelShell.dll is the built one" cmp -s "$install_dir/VantrelShell.dll" "$BUILD_ROOT/win64-release/bin/VantrelShell.dll"
check "nothing installed per machine" test -z "$(find "$WINEPREFIX/drive_c/Program Files" \
    "$WINEPREFIX/drive_c/Program Files (x86)" "$WINEPREFIX/drive_c/ProgramData" -iname '*vantrel*' 2>/dev/null)"
check "Start-menu shortcut" test -s "$shortcut"
check "shortcut points at Vantrel.exe" grep -aqi "Programs.Vantrel.Vantrel\.exe" "$shortcut"

check "AppFolder is the install folder without trailing backslash" \
    value_is user.reg "$app_key" AppFolder "$win_install_dir"
check "uninstall entry DisplayName" value_is user.reg "$uninst_key" DisplayName "Vantrel"
check "uninstall entry DisplayVersion" value_is user.reg "$uninst_key" DisplayVersion "$version"
check "uninstall entry Publisher" value_is user.reg "$uninst_key" Publisher "Zephrane"
check "uninstall entry UninstallString" \
    value_is user.reg "$uninst_key" UninstallString "\"$win_install_dir\\Uninstall.exe\""
check "uninstall entry QuietUninstallString" \
    value_is user.reg "$uninst_key" QuietUninstallString "\"$win_install_dir\\Uninstall.exe\" /S"
check "uninstall entry InstallLocation" value_is user.reg "$uninst_key" InstallLocation "$win_install_dir"
check "uninstall entry not written per machine" not has_key system.reg "$uninst_key"

# The extension's registration, per user: below HKCU\Software\Classes, none of the
# class, ProgID, AppID or handler keys per machine.
classes='Software\Classes'
registration_checks() {
    value_is user.reg "$classes\\CLSID\\$clsid" @ "Vantrel.SCM" &&
        value_is user.reg "$classes\\CLSID\\$clsid\\InprocServer32" @ "$win_install_dir\\VantrelShell.dll" &&
        value_is user.reg "$classes\\CLSID\\$clsid\\InprocServer32" ThreadingModel "Apartment" &&
        value_is user.reg "$classes\\CLSID\\$clsid\\ProgID" @ "Zephrane.Vantrel.SCM.1" &&
        value_is user.reg "$classes\\CLSID\\$clsid\\VersionIndependentProgID" @ "Zephrane.Vantrel.SCM" &&
        value_is user.reg "$classes\\CLSID\\$clsid\\TypeLib" @ "$typelib" &&
        has_key user.reg "$classes\\CLSID\\$clsid\\Programmable" &&
        value_is user.reg "$classes\\Zephrane.Vantrel.SCM.1\\CLSID" @ "$clsid" &&
        value_is user.reg "$classes\\Zephrane.Vantrel.SCM\\CurVer" @ "Zephrane.Vantrel.SCM.1" &&
        value_is user.reg "$classes\\AppID\\$appid" @ "VantrelShell" &&
        value_is user.reg "$classes\\AppID\\VantrelShell.DLL" AppID "$appid" &&
        value_is user.reg "$classes\\Folder\\ShellEx\\ContextMenuHandlers\\Zephrane.Vantrel" @ "$clsid" &&
        value_is user.reg "$classes\\Directory\\Background\\ShellEx\\ContextMenuHandlers\\Zephrane.Vantrel" @ "$clsid"
}
per_machine_registration() {
    key_list system.reg | grep -i -e "clsid.\{1,2\}$clsid" -e 'zephrane\.vantrel' -e "$appid" -e 'vantrelshell\.dll'
}
# Wine registers a type library for the whole machine even when asked per user, so the
# type library may be in either place.
typelib_registered() {
    local key="$classes\\TypeLib\\$typelib\\1.0\\409\\win64" dll="$win_install_dir\\VantrelShell.dll"
    value_is user.reg "$key" @ "$dll" 2>/dev/null >&2 || value_is system.reg "$key" @ "$dll"
}
check "extension registered per user (class, ProgIDs, AppID, handlers)" registration_checks
check "type library registered" typelib_registered
check "no per-machine registration" test -z "$(per_machine_registration)"

# An update over the installed version: same folder, same single entry.
step "silent install again"
wine "$setup" /S >"$work/install-again.log" 2>&1
rc=$?
wine_wait
check "second installer run exit code 0 (got $rc)" test "$rc" -eq 0
check "AppFolder unchanged" value_is user.reg "$app_key" AppFolder "$win_install_dir"
check "extension still registered" registration_checks

# Settings the user made; a silent uninstall keeps them.
step "user settings"
wine reg add 'HKCU\Software\Zephrane\Vantrel\Settings' /v Filter /d '*.o;*.d' /f >"$work/reg.log" 2>&1
wine reg add 'HKCU\Software\Zephrane\Vantrel\Presets' /v Count /t REG_DWORD /d 0 /f >>"$work/reg.log" 2>&1
wine_wait

step "silent uninstall"
wine "$install_dir/Uninstall.exe" /S >"$work/uninstall.log" 2>&1
rc=$?
wine_wait
check "uninstaller exit code 0 (got $rc)" test "$rc" -eq 0

check "install folder removed" test ! -e "$install_dir"
check "shortcut removed" test ! -e "$shortcut"
file_list >"$work/files-after.txt"
comm -13 "$work/files-before.txt" "$work/files-after.txt" >"$work/files-left.txt"
check "no file or folder left behind" test ! -s "$work/files-left.txt"
sed 's/^/      left: /' "$work/files-left.txt"

check "uninstall entry removed" not has_key user.reg "$uninst_key"
check "AppFolder removed" not reg_value user.reg "$app_key" AppFolder
check "settings kept" value_is user.reg "$app_key\\Settings" Filter '*.o;*.d'
check "presets kept" has_key user.reg "$app_key\\Presets"

# Keys new since the fresh prefix, restricted to where an installation or a COM server
# writes. Allowed to stay: the kept settings, the list of installed programs itself and
# the shared parent keys that registration creates but never deletes.
relevant='^software\\\\(classes|zephrane|microsoft\\\\windows\\\\currentversion\\\\uninstall)(\\\\|$)'
kept='^software\\\\zephrane(\\\\vantrel(\\\\(settings|presets)(\\\\.*)?)?)?$'
shared='^software\\\\(microsoft\\\\windows\\\\currentversion\\\\uninstall|classes(\\\\(appid|clsid|typelib|interface|(folder|directory(\\\\background)?)(\\\\shellex(\\\\contextmenuhandlers)?)?))?)$'
for hive in user system; do
    key_list "$hive.reg" | comm -13 "$work/$hive-keys-before.txt" - |
        grep -E "$relevant" | grep -vE "$kept" | grep -vE "$shared" >"$work/$hive-keys-left.txt"
    check "no $hive key left behind" test ! -s "$work/$hive-keys-left.txt"
    sed 's/^/      left: /' "$work/$hive-keys-left.txt"
done
# Nothing anywhere still names the class, the type library, the library or the folder.
leftovers() {
    grep -n -i -e "$clsid" -e "$typelib" -e "$iid" -e "$appid" -e 'vantrelshell' \
        -e 'programs\\\\vantrel' "$WINEPREFIX/user.reg" "$WINEPREFIX/system.reg"
}
check "no registration or path left in the registry" test -z "$(leftovers)"
leftovers | sed 's/^/      left: /'

echo "elapsed: $((SECONDS - started)) s"
[ "$failures" -eq 0 ] && echo "PASS installer" || echo "FAILED: $failures check(s)"
[ "$failures" -eq 0 ]
