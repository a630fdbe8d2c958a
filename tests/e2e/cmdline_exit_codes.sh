#!/usr/bin/env bash
# Vantrel.exe started from a command line on real folders tells its caller how the run
# ended: exit code 0 when everything listed was deleted, 1 with an item held open by
# another program ("Failed", with its reason in the report), 2 with a read-only item kept, 3 after a stop (window closed
# during the run) or after the "all" question answered No, 4 when no folder of the line
# exists, 5 when the run succeeded but its -report file could not be written. Clean Later
# and the usage box exit 0 and write no report. The -report file is read back with
# python3's csv module, paths with a comma, quotes and accented letters included, and it
# replaces an older report whole.
set -euo pipefail
cd "$(dirname "$0")/../.."
source scripts/wine-env.sh
exe="$VANTREL_MAIN_BIN/Vantrel.exe"
[ -x "$exe" ] || { echo "missing $exe"; exit 1; }
vantrel_start_display
vantrel_start_wine
key='HKCU\Software\Zephrane\Vantrel'
work=$(mktemp -d "$BUILD_ROOT/exit-codes.XXXXXX")
helper_pid=
reset_key() { wine reg delete "$key" /f >/dev/null 2>&1 </dev/null || true; }
cleanup() {
    [ -n "$helper_pid" ] && kill "$helper_pid" 2>/dev/null || true
    wine taskkill /F /IM Vantrel.exe >/dev/null 2>&1 </dev/null || true
    reset_key
    chmod -R u+w "$work" 2>/dev/null || true
    rm -rf "$work"
    vantrel_stop_all
}
vantrel_on_exit cleanup

# The helper plays another program (holding a file open) and the user (answering No).
helper="$VANTREL_TEST_BIN/e2e_helper.exe"
[ -x "$helper" ] || { echo "missing $helper"; exit 1; }

winpath() { local p="Z:${1//\//\\}"; echo "$p"; }
# Runs Vantrel.exe with the given arguments; sets rc to its exit code. Fails when it does
# not end by itself within $1 seconds.
run_vantrel() {
    local seconds=$1
    shift
    wine "$exe" "$@" >/dev/null 2>&1 </dev/null &
    local pid=$!
    for _ in $(seq $(($(vantrel_seconds "$seconds") * 5))); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.2
    done
    if kill -0 "$pid" 2>/dev/null; then
        echo "Vantrel.exe $* did not end by itself"
        exit 1
    fi
    rc=0
    wait "$pid" || rc=$?
}
expect_rc() { [ "$rc" = "$1" ] || { echo "$2: exit code $rc, expected $1"; exit 1; }; }
exists() { [ -e "$1" ] || { echo "$2: $1 is gone"; exit 1; }; }
gone() { [ ! -e "$1" ] || { echo "$2: $1 is still there"; exit 1; }; }
# Prints the report's rows (header included) as read by a CSV reader, fields joined by "|".
rows() { python3 -c 'import csv,sys; [print("|".join(r)) for r in csv.reader(open(sys.argv[1], encoding="utf-8", newline=""))]' "$1"; }
report="$work/report.csv"
header="Status|Kind|Size|Path|Reason"

# --- 0: every listed item deleted; the report lists them, an older report is replaced ---
reset_key
mkdir -p "$work/ok/sub"
echo 1234 >"$work/ok/a.o"
echo keep >"$work/ok/main.c"
: >"$work/ok/sub/b.d"
echo old >"$report"
run_vantrel 30 -clean -preset 2 "$(winpath "$work/ok")" -report "$(winpath "$report")" -ac
expect_rc 0 "everything deleted"
gone "$work/ok/a.o" "everything deleted"
exists "$work/ok/main.c" "everything deleted"
[ "$(rows "$report" | head -1)" = "$header" ] || { echo "report header: $(head -1 "$report")"; exit 1; }
rows "$report" | grep -qxF "Deleted|file|5|$(winpath "$work/ok/a.o")|" ||
    { echo "report lacks a.o:"; cat "$report"; exit 1; }
rows "$report" | grep -qxF "Deleted|file|0|$(winpath "$work/ok/sub/b.d")|" ||
    { echo "report lacks b.d:"; cat "$report"; exit 1; }
[ "$(rows "$report" | wc -l)" = 3 ] || { echo "report rows:"; cat "$report"; exit 1; }
leftovers=$(ls "$work" | grep -v -x -e ok -e report.csv -e bin || true)
[ -z "$leftovers" ] || { echo "left beside the report: $leftovers"; exit 1; }
echo "0: everything deleted, report replaced"

# --- the report reads back exactly: list order is folder order, odd names round-trip ---
reset_key
wine reg add "$key\\Settings" /v Preset /t REG_DWORD /d 11 /f >/dev/null 2>&1 </dev/null
odd="Ré,sumé 'v2' “draft” ça.o"
mkdir -p "$work/r1" "$work/r2/x" "$work/r3"
printf '12345' >"$work/r1/$odd"
: >"$work/r2/x/empty.o"
mkdir "$work/r3/build,1.o"
run_vantrel 30 -c -f "*.o" -df -dd -ss "$(winpath "$work/r1")" "$(winpath "$work/missing")" \
    "$(winpath "$work/r2")" "$(winpath "$work/r3")" /report "$(winpath "$report")"
expect_rc 0 "report round trip"
python3 - "$report" "$(winpath "$work")" "$odd" <<'EOF'
import csv, sys
path, root, odd = sys.argv[1], sys.argv[2], sys.argv[3]
with open(path, encoding="utf-8", newline="") as f:
    got = list(csv.reader(f))
want = [
    ["Status", "Kind", "Size", "Path", "Reason"],
    ["Deleted", "file", "5", root + "\\r1\\" + odd, ""],
    ["Deleted", "file", "0", root + "\\r2\\x\\empty.o", ""],
    ["Deleted", "folder", "0", root + "\\r3\\build,1.o", ""],
]
if got != want:
    sys.exit("report read back as\n%r\nexpected\n%r" % (got, want))
raw = open(path, "rb").read()
if not raw.endswith(b"\r\n") or raw.startswith(b"\xef\xbb\xbf"):
    sys.exit("report is not BOM-less UTF-8 with CRLF lines")
EOF
echo "report: read back exactly by python3's csv module"

# --- 1: an item held open by another program ends "Failed" ---
reset_key
mkdir -p "$work/held"
echo held >"$work/held/lock.o"
echo gone >"$work/held/b.o"
wine "$helper" hold "$(winpath "$work/held/lock.o")" "$(winpath "$work/held.ready")" \
    "$(vantrel_seconds 60)" \
    >/dev/null 2>&1 </dev/null &
helper_pid=$!
for _ in $(seq $(($(vantrel_seconds 20) * 5))); do [ -e "$work/held.ready" ] && break; sleep 0.2; done
[ -e "$work/held.ready" ] || { echo "the helper did not open lock.o"; exit 1; }
run_vantrel 30 -c -p 2 "$(winpath "$work/held")" -report "$(winpath "$report")"
kill "$helper_pid" 2>/dev/null || true
wait "$helper_pid" 2>/dev/null || true
helper_pid=
expect_rc 1 "held-open file"
exists "$work/held/lock.o" "held-open file"
gone "$work/held/b.o" "held-open file"
# The failed row says why, in words, in its last column.
python3 - "$report" "$(winpath "$work/held/lock.o")" <<'EOF'
import csv, sys
rows = list(csv.reader(open(sys.argv[1], encoding="utf-8", newline="")))
if not any(r[:4] == ["Failed", "file", "5", sys.argv[2]] and len(r) == 5 and r[4].strip()
           for r in rows):
    sys.exit("report lacks the failed lock.o with its reason: %r" % rows)
EOF
echo "1: a file held open by another program failed with its reason, the rest was deleted"

# --- 2: a read-only file is kept when forcing is off (own filter under "Custom") ---
reset_key
wine reg add "$key\\Settings" /v Preset /t REG_DWORD /d 11 /f >/dev/null 2>&1 </dev/null
mkdir -p "$work/ro"
echo ro >"$work/ro/ro.o"
echo rw >"$work/ro/rw.o"
chmod a-w "$work/ro/ro.o"
run_vantrel 30 -c -f "*.o" -df "$(winpath "$work/ro")"
expect_rc 2 "read-only kept"
exists "$work/ro/ro.o" "read-only kept"
gone "$work/ro/rw.o" "read-only kept"
echo "2: the read-only file was kept, the other deleted"

# --- 3: the window closed during the run (while its "all" question waits, then Yes) ---
reset_key
mkdir -p "$work/big"
(cd "$work/big" && for i in $(seq 30); do : >"f$i.o"; done)
rm -f "$report"
wine "$helper" close-then-yes "$(vantrel_seconds 30)" >/dev/null 2>&1 </dev/null &
helper_pid=$!
run_vantrel 40 -c -p 11 "$(winpath "$work/big")" -report "$(winpath "$report")"
helper_rc=0
wait "$helper_pid" || helper_rc=$?
helper_pid=
[ "$helper_rc" = 0 ] || { echo "no question during which to close the window"; exit 1; }
expect_rc 3 "closed during the run"
[ "$(ls "$work/big" | wc -l)" = 30 ] || { echo "a stopped run deleted files"; exit 1; }
[ -f "$report" ] || { echo "no report after a stop"; exit 1; }
[ "$(rows "$report" | sed -n 1p)" = "$header" ] ||
    { echo "the report of the stopped run has no header"; exit 1; }
rows "$report" | sed 1d | grep -v '^|' &&
    { echo "a row of the stopped run has a status"; exit 1; }
echo "3: closing the window stopped the run before anything was deleted; the report was written"

# --- 3: the "all files and subfolders" question answered No ---
reset_key
mkdir -p "$work/all"
echo x >"$work/all/x.txt"
wine "$helper" answer-no "$(vantrel_seconds 30)" >/dev/null 2>&1 </dev/null &
helper_pid=$!
run_vantrel 40 -c -p 11 "$(winpath "$work/all")"
helper_rc=0
wait "$helper_pid" || helper_rc=$?
helper_pid=
[ "$helper_rc" = 0 ] || { echo "no question to answer No to"; exit 1; }
expect_rc 3 "question answered No"
exists "$work/all/x.txt" "question answered No"
echo "3: the question answered No, nothing deleted"

# --- 4: no folder of the line exists; the run ends at once, the report has its header ---
reset_key
run_vantrel 20 -c -p 2 "$(winpath "$work/missing")" "$(winpath "$work/ro/ro.o")" \
    -report "$(winpath "$report")"
expect_rc 4 "no folder"
[ "$(rows "$report")" = "$header" ] || { echo "no-folder report: $(cat "$report")"; exit 1; }
echo "4: no folder on the line exists"

# --- 5: the report cannot be written; the clean still runs ---
reset_key
mkdir -p "$work/nr"
echo x >"$work/nr/a.o"
run_vantrel 30 -c -p 2 "$(winpath "$work/nr")" -report "$(winpath "$work/no-such-folder/r.csv")"
expect_rc 5 "report not written"
gone "$work/nr/a.o" "report not written"
echo "5: the report could not be written, the clean was done"

# --- Clean Later and the usage box exit 0 and write no report ---
reset_key
rm -f "$report"
wine "$exe" "$(winpath "$work/nr")" -report "$(winpath "$report")" >/dev/null 2>&1 </dev/null &
pid=$!
vantrel_wait_for_window
sleep 1
vantrel_close_window || true
for _ in $(seq $(($(vantrel_seconds 15) * 5))); do kill -0 "$pid" 2>/dev/null || break; sleep 0.2; done
rc=0
wait "$pid" || rc=$?
expect_rc 0 "Clean Later"
wine "$exe" -h -c "$(winpath "$work/nr")" -report "$(winpath "$report")" >/dev/null 2>&1 </dev/null &
pid=$!
vantrel_wait_for_window
sleep 1
vantrel_close_window || true
for _ in $(seq $(($(vantrel_seconds 15) * 5))); do kill -0 "$pid" 2>/dev/null || break; sleep 0.2; done
rc=0
wait "$pid" || rc=$?
expect_rc 0 "usage box"
[ ! -e "$report" ] || { echo "Clean Later or the usage box wrote a report"; exit 1; }
echo "0: Clean Later and the usage box, no report"
