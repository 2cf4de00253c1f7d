#!/bin/sh
# Runs every test of every configuration and ends with one summary line,
# "N passed, N failed".  Exits non-zero when any test failed.
set -u
top=$(cd "$(dirname "$0")/.." && pwd)
export WINEPREFIX="$top/build/wineprefix" WINEDEBUG=-all
jobs=$(nproc 2>/dev/null || echo 2)

# One Wine server for the whole run, so each test does not pay its start-up.
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    "$top/scripts/wine-run" wineboot --init >/dev/null 2>&1
fi
/usr/lib/wine/wineserver -p
failures=$(mktemp)
trap '/usr/lib/wine/wineserver -k 2>/dev/null; rm -f "$failures"' EXIT
# The first programs of a Wine session also start its desktop and services;
# let that settle before tests run side by side.
"$top/scripts/wine-run" cmd /c exit >/dev/null 2>&1
# The session's desktop process is started by the first program that needs
# it, inherits that program's standard error and lives until the last
# program has ended: a test's output pipe would stay open in it.  A program
# that sits on the desktop for the whole run starts it without pipes.
keeper="$top/build/windows/tests/programs/window_driver.exe"
[ -f "$keeper" ] && "$top/scripts/wine-run" "$keeper" sleep 86400000 </dev/null >/dev/null 2>&1 &

passed=0
failed=0
status=0
for preset in native native-asan windows; do
    echo "== $preset"
    log="$top/build/$preset-ctest.log"
    # A Wine process now and then hangs on its way out after its test has
    # passed; such a test is run once more rather than failing the run.
    ctest --preset "$preset" -j "$jobs" --repeat after-timeout:2 >"$log" 2>&1 || status=1
    grep -E "^[0-9]+% tests passed|\*\*\*Failed|\*\*\*Timeout|Not Run|Exception" "$log"
    # The failures' own lines, printed again at the end where a short
    # excerpt of the run shows them.
    grep -E "^(FAIL|ERROR): |^[A-Za-z]*(Error|Exception): |\[  FAILED  \]|: Failure$" "$log" \
        | head -n 20 | sed "s/^/$preset: /" >>"$failures"
    summary=$(grep -E "tests passed, [0-9]+ tests? failed out of [0-9]+" "$log" | tail -n 1)
    if [ -z "$summary" ]; then
        tail -n 20 "$log"
        status=1
        continue
    fi
    total=$(echo "$summary" | sed -E 's/.*out of ([0-9]+).*/\1/')
    bad=$(echo "$summary" | sed -E 's/.* ([0-9]+) tests? failed.*/\1/')
    passed=$((passed + total - bad))
    failed=$((failed + bad))
done
# A short fuzz run of every fuzz target: each counts as one test.
echo "== fuzz"
fuzz_log="$top/build/fuzz-run.log"
sh "$top/scripts/run-fuzzers.sh" "${FUZZ_SECONDS:-10}" >"$fuzz_log" 2>&1 || status=1
grep -E "^[a-z_]+: " "$fuzz_log" || tail -n 20 "$fuzz_log"
passed=$((passed + $(grep -c ": no crash;" "$fuzz_log")))
failed=$((failed + $(grep -c ": CRASH" "$fuzz_log")))

cat "$failures"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$status" -eq 0 ]
