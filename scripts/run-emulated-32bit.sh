#!/usr/bin/env bash
# The 32-bit smoke set, for machines that run 32-bit x86 code only under emulation:
#   scripts/run-emulated-32bit.sh <results folder>
# Sets up qemu-i386 through binfmt_misc (scripts/x86-32.sh), then runs, in a Wine prefix
# of its own, the 32-bit portable suite, the 32-bit window tests that can work under
# emulation (VANTREL_EMULATED_WIN_TESTS=0 leaves them out) and the command-line end-to-end
# scripts trimmed_names, cmdline_clean and cmdline_exit_codes (or those
# VANTREL_EMULATED_E2E names) against the 32-bit release Vantrel.exe that ships. Results
# go where scripts/run-tests.sh counts them: GoogleTest reports in
# <results>/win32-emulated/, e2e script names in <results>/e2e-32-passed.txt
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
    # The second lane (below) ends with its prefix's server, which ends its programs.
    if [ -n "${lane2_pid:-}" ] && kill -0 "$lane2_pid" 2>/dev/null; then
        kill "$lane2_pid" 2>/dev/null
        WINEPREFIX="$WINEPREFIX-lane2" wineserver -k 2>/dev/null
        wait "$lane2_pid" 2>/dev/null
    fi
    vantrel_stop_all
    vantrel_emulation_end
}
vantrel_on_exit finish
vantrel_start_display
vantrel_start_wine
echo "32-bit prefix ready after $((SECONDS - started)) s"

# The window test left out under emulation, for a reason of the emulation, not of the
# program (the same 32-bit program passes natively): DialogBase.ModalLoop... ends its
# modal loop from a 50 ms timer and expects the loop to have gone idle before that; under
# emulation the timer comes first.
# The test programs print through a main of their own (tests/win/support/test_main.cpp):
# GoogleTest's printer hands failed and skipped results to OutputDebugStringA, which under
# qemu-i386 killed the program's waiting threads, so every skipped test ended the suite.
win_filter="-DialogBase.ModalLoopDisablesOwnerFiltersRunsIdleAndReturnsResult"

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
# The report of an attempt that ended early (hung or died), from its output: the tests
# that finished, and `hung`, when given, as a failure. partial_report <log> <xml> [hung]
partial_report() {
    local log=$1 xml=$2 hung=${3:-} kind name tests=0 failures=0 cases=""
    while read -r kind name; do
        tests=$((tests + 1))
        case $kind in
            FAILED) failures=$((failures + 1)); cases+="<testcase name=\"$name\"><failure message=\"failed\"/></testcase>" ;;
            SKIPPED) cases+="<testcase name=\"$name\"><skipped/></testcase>" ;;
            *) cases+="<testcase name=\"$name\"/>" ;;
        esac
    done < <(finished_tests "$log")
    if [ -n "$hung" ]; then
        tests=$((tests + 1)); failures=$((failures + 1))
        cases+="<testcase name=\"$hung\"><failure message=\"hung or died twice under emulation\"/></testcase>"
    fi
    printf '<?xml version="1.0" encoding="UTF-8"?>\n<testsuites tests="%d" failures="%d" disabled="0" errors="0" name="interrupted">\n<testsuite name="interrupted">%s</testsuite>\n</testsuites>\n' \
        "$tests" "$failures" "$cases" >"$xml"
}
# "OK name", "FAILED name" or "SKIPPED name" for each test a GoogleTest log shows ended
# (Windows programs end their lines with CR LF).
finished_tests() {
    tr -d '\r' <"$1" | sed -n 's/^\[ *\(OK\|FAILED\|SKIPPED\) *\] \([^ ]*\) ([0-9]* ms)$/\1 \2/p'
}
# Under qemu-i386 a Wine program now and then stops for good waiting on Wine's server,
# or dies with "wine client error", each time in another test. resumed_suite runs a
# program until it ends; when its output stays still for <quiet> seconds it is ended, and
# a new attempt runs the tests that have not ended yet. The test that was running is
# given one more try; if it hangs or dies again it counts as failed. A failed test is
# never retried; a program that ends outside any test twice counts as crashed.
# resumed_suite <quiet seconds> <program> <negative filter>
resumed_suite() {
    local quiet=$1 program=$2 filter=$3 name attempt=0 skip="" tried="" between=0 s=$SECONDS
    name=$(basename "$program" .exe)
    echo "--- $name (resumed after a hang)"
    while [ $attempt -lt 10 ]; do
        attempt=$((attempt + 1))
        local log="$results/emu32-$name-$attempt.log" xml="$results/win32-emulated/$name-$attempt.xml"
        wine "$program" --gtest_filter="$filter$skip" --gtest_output="xml:$out$name-$attempt.xml" \
            </dev/null >"$log" 2>&1 &
        local pid=$! size=-1 still=0
        while kill -0 "$pid" 2>/dev/null; do
            sleep 5
            if [ "$(stat -c %s "$log")" = "$size" ]; then
                still=$((still + 5))
            else
                still=0
                size=$(stat -c %s "$log")
            fi
            if [ "$still" -ge "$quiet" ]; then
                echo "attempt $attempt: no output for $quiet s, ended"
                kill "$pid" 2>/dev/null; sleep 5; kill -9 "$pid" 2>/dev/null
                break
            fi
        done
        wait "$pid" 2>/dev/null
        [ -f "$xml" ] && break
        local running
        running=$(tr -d '\r' <"$log" | sed -n 's/^\[ RUN      \] //p' | tail -1)
        tail -3 "$log"
        local hung=""
        if [ -z "$running" ] || finished_tests "$log" | cut -d' ' -f2 | grep -qxF "$running"; then
            # Ended outside any test (while starting, say): once more, then as a crash.
            between=$((between + 1))
            partial_report "$log" "$xml"
            echo "attempt $attempt ended outside a test"
            [ "$between" -lt 2 ] || break
        else
            case " $tried " in *" $running "*) hung=$running ;; esac
            partial_report "$log" "$xml" "$hung"
            echo "attempt $attempt stopped in $running${hung:+ (the second time: failed)}"
            tried+=" $running"
        fi
        skip+=$(finished_tests "$log" | sed 's/^[A-Z]* /:/' | tr -d '\n')
        [ -n "$hung" ] && skip+=":$hung"
    done
    # Not ended by itself: counted as a crash on top of what the attempts report.
    [ -f "$xml" ] && grep -q 'name="interrupted"' "$xml" &&
        echo "win32-emulated/$name" >>"$results/crashed.txt"
    echo "$name: $attempt attempt(s), $((SECONDS - s)) s"
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

# The command-line scripts start the 32-bit release program (and the 32-bit helper) once
# per case, each start as slow as above. Under qemu-i386 the program's window once never
# appeared, the process idle and waiting on Wine's server: a script that fails here runs
# once more, after Wine's server of its prefix was restarted (which ends what the failed
# try left running); the first failure stays in its log and in the output. A script that
# fails twice fails the run. e2e_script <name>
e2e_script() {
    local name=$1 s=$SECONDS try log passed=0
    for try in 1 2; do
        log="$results/e2e-32-$name-$try.log"
        if VANTREL_MAIN_TREE=win32-release VANTREL_WAIT_SCALE=$scale bash "tests/e2e/$name.sh" \
            >"$log" 2>&1; then
            passed=1
            break
        fi
        echo "FAIL $name (32-bit, try $try, $((SECONDS - s)) s)"; tail -30 "$log"
        wineserver -k; timeout 60 wineserver -w
        vantrel_start_wine
    done
    if [ "$passed" = 1 ]; then
        echo "PASS $name (32-bit, try $try, $((SECONDS - s)) s)"; echo "$name" >>"$results/e2e-32-passed.txt"
    else
        echo "$name" >>"$results/e2e-32-failed.txt"
    fi
}

# The window tests run alone: with a second emulated program beside them, their tests
# that run scans on a worker thread ended with qemu's "uncaught target signal 11" one
# after another (seven attempts in one run), where alone one such fault came in 140 tests.
# A hang or an emulator fault costs a quiet wait (two starts and two minutes) and a new
# start. VANTREL_EMULATED_WIN_TESTS=0 leaves them out.
if [ "${VANTREL_EMULATED_WIN_TESTS:-1}" = 1 ]; then
    resumed_suite $((120 + 2 * start_cost)) "$tree/win_tests.exe" "$win_filter"
fi

# Each emulated program keeps one core busy, so the scripts run in two lanes, each with a
# Wine prefix and a display of its own: cmdline_exit_codes (13 program starts) beside the
# others. The second prefix is a copy of the first, made while no server runs on it.
echo "=== end-to-end tests, 32-bit release Vantrel.exe under emulation"
e2e=(${VANTREL_EMULATED_E2E:-trimmed_names cmdline_clean cmdline_exit_codes})
lane2=()
lane1=()
for name in "${e2e[@]}"; do
    if [ "$name" = cmdline_exit_codes ]; then lane2+=("$name"); else lane1+=("$name"); fi
done
lane2_log="$results/emu32-lane2.log"
if [ ${#lane2[@]} -gt 0 ]; then
    wineserver -k; timeout 60 wineserver -w
    rm -rf "$WINEPREFIX-lane2"
    cp -a "$WINEPREFIX" "$WINEPREFIX-lane2"
    vantrel_start_wine
    (
        export WINEPREFIX="$WINEPREFIX-lane2"
        unset DISPLAY VANTREL_XVFB_PID VANTREL_OWN_PREFIX
        vantrel_on_exit vantrel_stop_all
        vantrel_start_display
        vantrel_start_wine
        for name in "${lane2[@]}"; do e2e_script "$name"; done
    ) >"$lane2_log" 2>&1 &
    lane2_pid=$!
fi
for name in "${lane1[@]}"; do e2e_script "$name"; done
if [ -n "${lane2_pid:-}" ]; then
    wait "$lane2_pid"
    cat "$lane2_log"
fi
echo "32-bit smoke set: $((SECONDS - started)) s"
