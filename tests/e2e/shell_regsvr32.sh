#!/usr/bin/env bash
# Registers and unregisters the built VantrelShell.dll with the system's regsvr32, for the
# machine and per user (/n /i:user), and checks the registry with "reg query" each time.
set -euo pipefail
cd "$(dirname "$0")/../.."
source scripts/wine-env.sh
dll="$BUILD_ROOT/win64/bin/VantrelShell.dll"
[ -f "$dll" ] || { echo "missing $dll"; exit 1; }
vantrel_start_wine
windll="Z:${dll//\//\\}"
log=$(mktemp "$BUILD_ROOT/regsvr32.XXXXXX")
vantrel_on_exit 'rm -f "$log"; vantrel_stop_all'

clsid='{E534891D-61B8-41BC-9028-92C328D64EEA}'
own_keys=(
    "AppID\\{84640F5D-217D-48D7-B86B-59CA25CFBB78}"
    "AppID\\VantrelShell.DLL"
    "Zephrane.Vantrel.SCM.1\\CLSID"
    "Zephrane.Vantrel.SCM\\CurVer"
    "CLSID\\$clsid\\InprocServer32"
    "CLSID\\$clsid\\Programmable"
    "Folder\\ShellEx\\ContextMenuHandlers\\Zephrane.Vantrel"
    "Directory\\Background\\ShellEx\\ContextMenuHandlers\\Zephrane.Vantrel"
)
shared_keys=(AppID CLSID "Folder\\ShellEx\\ContextMenuHandlers"
             "Directory\\Background\\ShellEx\\ContextMenuHandlers")
failures=0

run_regsvr32() {
    wine regsvr32 "$@" "$windll" >"$log" 2>&1 </dev/null && return 0
    # Under load Wine now and then fails to start the program at all ("could not be
    # started"); that says nothing of the library, so such a start is tried once more.
    grep -q 'could not be started' "$log" && sleep 1 &&
        wine regsvr32 "$@" "$windll" >"$log" 2>&1 </dev/null && return 0
    echo "regsvr32 $* failed"; cat "$log"; exit 1
}
# exists ROOT KEY [VALUE-NAME]: reg query's exit code, with its output kept in $log. The
# 64-bit view, where the 64-bit library's entries live ("reg" may run as 32-bit code).
exists() {
    local root=$1 key=$2
    shift 2
    wine reg query "$root\\$key" "$@" /reg:64 >"$log" 2>&1 </dev/null
}
expect_keys() {  # expect_keys present|absent ROOT KEY...
    local want=$1 root=$2
    shift 2
    for key in "$@"; do
        if exists "$root" "$key"; then got=present; else got=absent; fi
        if [ "$got" != "$want" ]; then
            echo "FAIL: $root\\$key is $got, expected $want"
            failures=$((failures + 1))
        fi
    done
}
expect_value() {  # expect_value ROOT KEY NAME|"" TEXT
    local root=$1 key=$2 name=$3 text=$4
    if [ -z "$name" ]; then exists "$root" "$key" /ve || true; else exists "$root" "$key" /v "$name" || true; fi
    if ! grep -qF "$text" "$log"; then
        echo "FAIL: $root\\$key ${name:-(default)} does not hold $text"; cat "$log"
        failures=$((failures + 1))
    fi
}

machine='HKLM\Software\Classes'
user='HKCU\Software\Classes'

echo "== per machine"
run_regsvr32 /s
expect_keys present "$machine" "${own_keys[@]}"
expect_value "$machine" "CLSID\\$clsid\\InprocServer32" "" "$windll"
expect_value "$machine" "CLSID\\$clsid\\InprocServer32" ThreadingModel Apartment
expect_value "$machine" "Folder\\ShellEx\\ContextMenuHandlers\\Zephrane.Vantrel" "" "$clsid"
expect_keys present "$machine" "TypeLib\\{BA3A3BC5-B82A-457E-A837-821AB3E7BF86}\\1.0"
expect_keys absent "$user" "CLSID\\$clsid"
run_regsvr32 /s
expect_keys present "$machine" "${own_keys[@]}"
run_regsvr32 /u /s
expect_keys absent "$machine" "${own_keys[@]}" "CLSID\\$clsid" \
    "TypeLib\\{BA3A3BC5-B82A-457E-A837-821AB3E7BF86}"
expect_keys present "$machine" "${shared_keys[@]}"

echo "== per user"
run_regsvr32 /s /n /i:user
expect_keys present "$user" "${own_keys[@]}"
expect_value "$user" "CLSID\\$clsid\\InprocServer32" "" "$windll"
expect_keys absent "$machine" "CLSID\\$clsid" "AppID\\VantrelShell.DLL"
run_regsvr32 /u /s /n /i:user
expect_keys absent "$user" "${own_keys[@]}" "CLSID\\$clsid"

[ "$failures" -eq 0 ] || { echo "$failures checks failed"; exit 1; }
echo "regsvr32 registration and removal as expected"
