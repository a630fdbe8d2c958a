#!/usr/bin/env bash
# Runs every test of the three targets and the end-to-end scripts, then prints one line:
# "N passed, M failed", counted from the test cases' real results.
set -uo pipefail
cd "$(dirname "$0")/.."
source scripts/wine-env.sh
results="$BUILD_ROOT/test-results"
rm -rf "$results"
mkdir -p "$results"

vantrel_start_display
vantrel_start_wine
trap vantrel_stop_all EXIT

# The 64-bit tree (VantrelShell.dll and the 64-bit twin of Vantrel.exe with its tests)
# runs everywhere; the 32-bit tree only where the machine executes 32-bit code.
targets=(host win64)
if vantrel_can_run_32bit; then
    targets=(host win32 win64)
else
    echo "The 32-bit suites could not run on this machine: $VANTREL_NO_32BIT_REASON." \
        "The 64-bit twin of Vantrel.exe runs them instead."
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

passed=0
failed=0
for xml in "$results"/*/*.xml; do
    [ -f "$xml" ] || continue
    line=$(grep -m1 '<testsuites' "$xml")
    tests=$(sed -n 's/.* tests="\([0-9]*\)".*/\1/p' <<<"$line")
    failures=$(sed -n 's/.* failures="\([0-9]*\)".*/\1/p' <<<"$line")
    errors=$(sed -n 's/.* errors="\([0-9]*\)".*/\1/p' <<<"$line")
    disabled=$(sed -n 's/.* disabled="\([0-9]*\)".*/\1/p' <<<"$line")
    skipped=$(grep -c '<skipped' "$xml" || true)
    bad=$((failures + errors))
    passed=$((passed + tests - bad - disabled - skipped))
    failed=$((failed + bad))
done
count() { [ -f "$1" ] && wc -l <"$1" || echo 0; }
passed=$((passed + $(count "$results/e2e-passed.txt")))
failed=$((failed + $(count "$results/e2e-failed.txt") + $(count "$results/crashed.txt")))
[ -f "$results/crashed.txt" ] && { echo "Test programs without a report:"; cat "$results/crashed.txt"; }
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
