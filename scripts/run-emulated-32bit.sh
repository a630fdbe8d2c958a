#!/usr/bin/env bash
# The 32-bit smoke set, for machines that run 32-bit x86 code only under emulation:
#   scripts/run-emulated-32bit.sh <results folder>
# Sets up qemu-i386 through binfmt_misc (scripts/x86-32.sh), then runs, in a Wine prefix
# of its own, the 32-bit portable suite, the 32-bit window tests that work under
# emulation, and the command-line end-to-end scripts against the 32-bit release
# Vantrel.exe that ships. Results go where scripts/run-tests.sh counts them: GoogleTest
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

# Under emulation every 32-bit program start costs from half a minute on an idle machine to
# several minutes on a loaded one, and the scripts' waits are written for a start of about
# a second. So the waits grow with the measured start of a small 32-bit program (a test
# program that runs no test): 2 + one for every 10 s it took, at least 8.
s=$SECONDS
wine "$tree/portable_tests.exe" --gtest_filter=-* </dev/null >/dev/null 2>&1
start_cost=$((SECONDS - s))
scale=$((2 + (start_cost + 9) / 10))
[ "$scale" -ge 8 ] || scale=8
echo "a 32-bit program starts in $start_cost s here: waits scaled by $scale"

# Window tests left out under emulation, for reasons of the emulation, not of the program
# (the same 32-bit program passes natively):
# - under qemu-i386 a skipped test (GTEST_SKIP) ends the program with a segmentation fault
#   right after its "Skipped" message, whichever test it is, and the run stops there. These
#   tests skip unless a script of their own sets them up (pictures, the regsvr32 and
#   folder-link scripts, which run the twin), so leaving them out costs no coverage;
# - FolderSwapTest swaps folders for links through a Unix shell started from Wine, which
#   the twin's run covers; the emulated program gains nothing from a second run of it;
# - the tests that open the main window in-process (MainDlgTest, MainDlgRegistry,
#   ListsRunsTest) hang under emulation: the first one waited on Wine's server for good,
#   with no CPU used. The main window of the 32-bit release program is covered by the
#   command-line scripts below, which open it and clean through it;
# - DialogBase.ModalLoop... ends its modal loop from a 50 ms timer and expects the loop to
#   have gone idle before that: under emulation the timer comes first.
# - EngineFilesTest.TrimmedNamesAreAddressedExactlyBesideTheirTwins ended the emulated
#   program with "wine client error:134: read: Bad address" (Wine's client lost its
#   server connection under qemu); the twin runs it natively.
# - AboutDialogTest.ShowsTitleVersionAndLinks ends the emulated program with a segmentation
#   fault before any of its checks reports; the other About tests pass.
# A failing test ends the emulated program the way a skipped one does; the suite then
# has no report and counts as one failed test, so a failure still shows.
win_filter="-SettingsRegistrationEndToEnd.*:DialogTemplates.ShowForPictures:DialogShots.*"
win_filter+=":MainWindowShots.*:FolderLinkTest.*:FolderSwapTest.*:MainDlgTest.*:MainDlgRegistry.*:ListsRunsTest.*"
win_filter+=":DialogBase.ModalLoopDisablesOwnerFiltersRunsIdleAndReturnsResult"
win_filter+=":AboutDialogTest.ShowsTitleVersionAndLinks"
win_filter+=":EngineFilesTest.TrimmedNamesAreAddressedExactlyBesideTheirTwins"

mkdir -p "$results/win32-emulated"
out="Z:${results//\//\\}\\win32-emulated\\"
suite() { # suite <program> [arguments...]: one test program, bounded, with its report
    local name
    name=$(basename "$1" .exe)
    local s=$SECONDS
    echo "--- $name"
    timeout $((600 + 10 * start_cost)) wine "$@" --gtest_output="xml:$out$name.xml" </dev/null >"$results/emu32-$name.log" 2>&1
    local rc=$?
    tail -3 "$results/emu32-$name.log"
    echo "$name: exit code $rc, $((SECONDS - s)) s"
    [ -f "$results/win32-emulated/$name.xml" ] || echo "win32-emulated/$name" >>"$results/crashed.txt"
}
echo "=== win32 tests under emulation"
suite "$tree/portable_tests.exe"
suite "$tree/win_tests.exe" --gtest_filter="$win_filter"

echo "=== end-to-end tests, 32-bit release Vantrel.exe under emulation"
for name in cmdline_clean trimmed_names cmdline_exit_codes; do
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
