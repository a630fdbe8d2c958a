#!/usr/bin/env bash
# The Settings dialog's "Explorer extension" box with the real regsvr32 in a fresh prefix:
# ticking registers the built VantrelShell.dll per user, as the installer does (the keys in
# HKCU\Software\Classes, none per machine); clearing it removes them again.
set -uo pipefail
cd "$(dirname "$0")/../.."
source scripts/wine-env.sh

work="$BUILD_ROOT/e2e-settings-regsvr32"
rm -rf "$work"
mkdir -p "$work/app"
export WINEPREFIX="$work/prefix"
dll="$BUILD_ROOT/win64/bin/VantrelShell.dll"
tests="$VANTREL_TEST_BIN/win_tests.exe"
for file in "$dll" "$tests"; do
    [ -f "$file" ] || { echo "missing $file"; exit 1; }
done
cp "$dll" "$work/app/"
vantrel_start_display
vantrel_on_exit vantrel_stop_all
vantrel_start_wine
log="$work/log"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

clsid='{E534891D-61B8-41BC-9028-92C328D64EEA}'
handler='Folder\ShellEx\ContextMenuHandlers\Zephrane.Vantrel'
exists() { wine reg query "$1" /reg:64 >"$log" 2>&1 </dev/null; }
expect() {  # expect present|absent KEY
    if exists "$2"; then got=present; else got=absent; fi
    [ "$got" = "$1" ] || fail "$2 is $got, expected $1"
}

step() {  # step tick|untick: the dialog in-process, with the real regsvr32
    VANTREL_SETTINGS_APP_FOLDER="Z:${work//\//\\}\\app" VANTREL_SETTINGS_STEP=$1 \
        wine "$tests" --gtest_filter='SettingsRegistrationEndToEnd.*' >"$log" 2>&1 </dev/null ||
        { fail "the $1 step"; cat "$log"; }
    grep -q "SKIPPED" "$log" && fail "the $1 step was skipped"
}

echo "== tick"
step tick
expect present "HKCU\\Software\\Classes\\$handler"
expect present "HKCU\\Software\\Classes\\CLSID\\$clsid\\InprocServer32"
expect absent "HKLM\\Software\\Classes\\$handler"
expect absent "HKLM\\Software\\Classes\\CLSID\\$clsid"

echo "== untick"
step untick
expect absent "HKCU\\Software\\Classes\\$handler"
expect absent "HKCU\\Software\\Classes\\CLSID\\$clsid"
expect absent "HKLM\\Software\\Classes\\$handler"

[ "$failures" -eq 0 ] || { echo "$failures checks failed"; exit 1; }
# The prefix's server first: once its folder is gone, wineserver -k cannot find it.
vantrel_stop_all
rm -rf "$work"
echo "the Settings box registers and unregisters per user with the real regsvr32"
