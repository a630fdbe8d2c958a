#!/usr/bin/env bash
# The 32-bit smoke set, for machines that run 32-bit x86 code only under emulation:
#   scripts/run-emulated-32bit.sh <results folder>
# Sets up qemu-i386 through binfmt_misc (scripts/x86-32.sh), then runs, in a Wine prefix
# of its own, the 32-bit portable suite and the command-line end-to-end script
# trimmed_names (or those VANTREL_EMULATED_E2E names) against the 32-bit release
# Vantrel.exe that ships; with VANTREL_EMULATED_WIN_TESTS=1 also the 32-bit window tests
# that can work under emulation. Results go where scripts/run-tests.sh counts them: GoogleTest
# reports in <results>/win32-emulated/, e2e script names in <results>/e2e-32-passed.txt
# and e2e-32-failed.txt, programs without a report in crashed.txt. Exit code 2 when the
# emulation cannot be set up (the reason is printed); the results decide the rest.
set -uo pipefail
cd "$(dirname "$0")/.."
results=$1
source scripts/wine-env.sh
export WINEPREFIX="$BUILD_ROOT/wineprefix-emu32"
tree="$BUILD_ROOT/win32/bin"

if ! vantrel_emulation_begin; then
    echo "$VANTREL_NO_EMULATION_REASON"
    exit 2
fi
started=$SECONDS
finish() {
    vantrel_stop_all
    vantrel_emulation_end
}
vantrel_on_exit finish
vantrel_start_display
vantrel_start_wine
echo "32-bit prefix ready after $((SECONDS - started)) s"

# Window tests left out under emulation, for reasons of the emulation, not of the program
# (the same 32-bit program passes natively):
# - a skipped or failed test ends the emulated program right after its message, whichever
#   test it is. GoogleTest also hands each such message to OutputDebugStringA, which raises
#   and handles a debug-print exception; under qemu-i386 any other thread of the process
#   that is blocked in a wait then dies when it wakes (a 20-line program with one waiting
#   thread and one OutputDebugStringA call does the same; either alone is fine). The tests
#   below that skip unless a script of their own sets them up (pictures, the regsvr32 and
#   folder-link scripts, which run the twin) are left out, which costs no coverage;
# - FolderSwapTest swaps folders for links through a Unix shell started from Wine, which
#   the twin's run covers; the emulated program gains nothing from a second run of it;
# - the tests that open the main window in-process (MainDlgTest, MainDlgRegistry,
#   ListsRunsTest) hang under emulation: the first one waited on Wine's server for good,
#   with no CPU used. The main window of the 32-bit release program is covered by the
#   command-line scripts below, which open it and clean through it;
# - DialogBase.ModalLoop... ends its modal loop from a 50 ms timer and expects the loop to
#   have gone idle before that: under emulation the timer comes first.
# - EngineFilesTest.* (scans and cleans through the real file system): in three emulated
#   runs a different test of it failed each time: TrimmedNamesAreAddressedExactly...
#   ended the program with "wine client error:134: read: Bad address", and
#   TheSystemFolderChosenIsTheOneCleaned... and ScanThenCleanPermanently hung for good,
#   the test thread blocked in a call to Wine's server, no thread using CPU (the same
#   picture as the main window tests above). The twin runs the suite natively, and the
#   command-line scripts below scan and clean real folders with the 32-bit program;
# - CommandLineWin32Test.UsageBoxShowsTheTextAndCloses closes its usage box from a second
#   thread that looks for it for a limited time; under emulation the box came later and
#   stayed open, and the program with it;
# - AboutDialogTest.ShowsTitleVersionAndLinks ends the emulated program with a segmentation
#   fault before any of its checks reports; the other About tests pass.
# A failing test ends the emulated program the way a skipped one does; the suite then
# has no report and counts as one failed test, so a failure still shows.
win_filter="-SettingsRegistrationEndToEnd.*:DialogTemplates.ShowForPictures:DialogShots.*"
win_filter+=":MainWindowShots.*:FolderLinkTest.*:FolderSwapTest.*:MainDlgTest.*:MainDlgRegistry.*:ListsRunsTest.*"
win_filter+=":DialogBase.ModalLoopDisablesOwnerFiltersRunsIdleAndReturnsResult"
win_filter+=":AboutDialogTest.ShowsTitleVersionAndLinks"
win_filter+=":EngineFilesTest.*:CommandLineWin32Test.UsageBoxShowsTheTextAndCloses"

mkdir -p "$results/win32-emulated"
out="Z:${results//\//\\}\\win32-emulated\\"
# suite <seconds> <program> [arguments...]: one test program, ended after <seconds>, with
# its report; sets suite_seconds to the time it took.
suite() {
    local limit=$1 name
    shift
    name=$(basename "$1" .exe)
    local s=$SECONDS
    echo "--- $name"
    timeout "$limit" wine "$@" --gtest_output="xml:$out$name.xml" </dev/null >"$results/emu32-$name.log" 2>&1
    local rc=$?
    suite_seconds=$((SECONDS - s))
    tail -3 "$results/emu32-$name.log"
    echo "$name: exit code $rc, $suite_seconds s"
    [ -f "$results/win32-emulated/$name.xml" ] || echo "win32-emulated/$name" >>"$results/crashed.txt"
}
echo "=== win32 tests under emulation"
suite 1800 "$tree/portable_tests.exe"

# Under emulation a 32-bit program start costs from half a minute on an idle machine to
# several minutes on a loaded one, while the scripts' waits are written for a start of
# about a second. The portable suite's own tests take seconds (it prints how long): the
# rest of its time is that start, measured here and now, and every later wait grows with
# it: scaled by 2 + one for every 10 s of start, at least 8.
ran_ms=$(sed -n 's/.* ran\. (\([0-9]*\) ms total).*/\1/p' "$results/emu32-portable_tests.log")
start_cost=$((suite_seconds - ${ran_ms:-0} / 1000))
scale=$((2 + (start_cost + 9) / 10))
[ "$scale" -ge 8 ] || scale=8
echo "a 32-bit program starts in about $start_cost s here: waits scaled by $scale"

# Under qemu-i386 a Wine program now and then stops for good waiting on Wine's server
# (no CPU used; seen in the window tests and at the start of Vantrel.exe's window), so
# the window tests and the scripts that open the window (cmdline_clean) cannot gate a
# run: they join only when asked. A hung window test costs its time limit: three starts
# and five minutes.
if [ "${VANTREL_EMULATED_WIN_TESTS:-0}" = 1 ]; then
    suite $((300 + 3 * start_cost)) "$tree/win_tests.exe" --gtest_filter="$win_filter"
fi

# The command-line scripts start the 32-bit program (and its 32-bit helper) once per case,
# each start as slow as above: cmdline_exit_codes alone starts them 13 times, as long as
# the rest of the smoke set together, so it runs only when VANTREL_EMULATED_E2E names it.
echo "=== end-to-end tests, 32-bit release Vantrel.exe under emulation"
for name in ${VANTREL_EMULATED_E2E:-trimmed_names}; do
    s=$SECONDS
    if VANTREL_MAIN_TREE=win32-release VANTREL_WAIT_SCALE=$scale bash "tests/e2e/$name.sh" \
        >"$results/e2e-32-$name.log" 2>&1; then
        echo "PASS $name (32-bit, $((SECONDS - s)) s)"; echo "$name" >>"$results/e2e-32-passed.txt"
    else
        echo "FAIL $name (32-bit, $((SECONDS - s)) s)"; tail -30 "$results/e2e-32-$name.log"
        echo "$name" >>"$results/e2e-32-failed.txt"
    fi
done
echo "32-bit smoke set: $((SECONDS - started)) s"
