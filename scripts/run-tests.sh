#!/usr/bin/env bash
# Runs every test of the three targets and the end-to-end scripts, then prints what passed
# and failed in each tree and, last, one line "N passed, M failed", counted from the test
# cases' real results.
set -uo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-env.sh
results="$BUILD_ROOT/test-results"
rm -rf "$results"
mkdir -p "$results"

vantrel_start_display
vantrel_on_exit vantrel_stop_all
vantrel_start_wine

# The 64-bit tree (VantrelShell.dll and the 64-bit twin of Vantrel.exe with its tests)
# runs everywhere; the 32-bit tree in full where the machine executes 32-bit code natively,
# else as a smoke set under emulation at the end (scripts/run-emulated-32bit.sh), unless
# VANTREL_NO_EMULATION=1 or the emulation cannot be set up.
targets=(host win64)
native32=0
if vantrel_can_run_32bit; then
    targets=(host win32 win64)
    native32=1
elif vantrel_emulation_wanted; then
    echo "32-bit code does not run natively here ($VANTREL_NO_32BIT_REASON): the 64-bit twin of" \
        "Vantrel.exe runs the full suites; a 32-bit smoke set under emulation follows."
fi

for target in "${targets[@]}"; do
    echo "=== $target tests"
    mkdir -p "$results/$target"
    # Each test program writes a GoogleTest XML report. Windows programs need the folder
    # as a Windows path: Wine maps / to Z:.
    out="$results/$target/"
    [ "$target" = host ] || out="Z:${out//\//\\}"
    GTEST_OUTPUT="xml:$out" \
        ctest --test-dir "$BUILD_ROOT/$target" --output-on-failure --timeout 900
    # A program that ended without a report (a crash) counts as one failed test.
    ctest --test-dir "$BUILD_ROOT/$target" -N | sed -n 's/^ *Test *#[0-9]*: //p' |
        while read -r name; do
            [ -f "$results/$target/$name.xml" ] || echo "$target/$name" >>"$results/crashed.txt"
        done
done

echo "=== layer check"
# Includes point only down the layers; counted as one test.
if scripts/check-layers.sh >"$results/layer-check.log" 2>&1; then
    echo "PASS layer check"; echo "check-layers" >>"$results/e2e-passed.txt"
else
    echo "FAIL layer check"; cat "$results/layer-check.log"; echo "check-layers" >>"$results/e2e-failed.txt"
fi

echo "=== end-to-end tests"
for script in tests/e2e/*.sh; do
    [ -e "$script" ] || continue
    name=$(basename "$script" .sh)
    if BUILD_ROOT="$BUILD_ROOT" bash "$script" >"$results/e2e-$name.log" 2>&1; then
        echo "PASS $name"; echo "$name" >>"$results/e2e-passed.txt"
    else
        echo "FAIL $name"; tail -30 "$results/e2e-$name.log"; echo "$name" >>"$results/e2e-failed.txt"
    fi
done

if [ "$native32" = 0 ]; then
    why="VANTREL_NO_EMULATION=1 turned the emulated smoke set off"
    emulated=2
    if vantrel_emulation_wanted; then
        scripts/run-emulated-32bit.sh "$results" | tee "$results/emu32-run.log"
        emulated=${PIPESTATUS[0]}
        why=$(tail -1 "$results/emu32-run.log")
    fi
    if [ "$emulated" = 2 ]; then
        echo "The 32-bit suites could not run on this machine: $VANTREL_NO_32BIT_REASON" \
            "($why). The 64-bit twin of Vantrel.exe runs them instead."
    fi
fi

# Counts of one tree's GoogleTest reports: sets tree_passed and tree_failed.
count_reports() {
    tree_passed=0
    tree_failed=0
    local xml line tests failures errors disabled skipped bad
    for xml in "$1"/*.xml; do
        [ -f "$xml" ] || continue
        line=$(grep -m1 '<testsuites' "$xml")
        tests=$(sed -n 's/.* tests="\([0-9]*\)".*/\1/p' <<<"$line")
        failures=$(sed -n 's/.* failures="\([0-9]*\)".*/\1/p' <<<"$line")
        errors=$(sed -n 's/.* errors="\([0-9]*\)".*/\1/p' <<<"$line")
        disabled=$(sed -n 's/.* disabled="\([0-9]*\)".*/\1/p' <<<"$line")
        skipped=$(grep -c '<skipped' "$xml" || true)
        bad=$((failures + errors))
        tree_passed=$((tree_passed + tests - bad - disabled - skipped))
        tree_failed=$((tree_failed + bad))
    done
    # A program that ended without a report (a crash) counts as one failed test.
    local crashed=0
    if [ -f "$results/crashed.txt" ]; then
        crashed=$(grep -c "^${1##*/}/" "$results/crashed.txt" || true)
    fi
    tree_failed=$((tree_failed + ${crashed:-0}))
}
count() { [ -f "$1" ] && wc -l <"$1" || echo 0; }

passed=0
failed=0
per_tree=()
for dir in "$results"/*/; do
    dir=${dir%/}
    count_reports "$dir"
    per_tree+=("${dir##*/} $tree_passed/$tree_failed")
    passed=$((passed + tree_passed))
    failed=$((failed + tree_failed))
done
e2e_tree() { # e2e_tree <label> <file prefix>: the end-to-end scripts of one run
    local p f
    p=$(count "$results/$2-passed.txt")
    f=$(count "$results/$2-failed.txt")
    [ $((p + f)) -gt 0 ] || return 0
    per_tree+=("$1 $p/$f")
    passed=$((passed + p))
    failed=$((failed + f))
}
e2e_tree "e2e-$VANTREL_MAIN_TREE" e2e
e2e_tree "e2e-win32-release-emulated" e2e-32
[ -f "$results/crashed.txt" ] && { echo "Test programs without a report:"; cat "$results/crashed.txt"; }
echo "Per tree (passed/failed): $(IFS=,; echo "${per_tree[*]}" | sed 's/,/, /g')"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
