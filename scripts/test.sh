#!/usr/bin/env bash
# Builds Quorvel and runs every test: installs missing packages, configures,
# builds, starts Xvfb for the tests that draw, and runs CTest. Ends with one
# verdict line ("verdict: N passed, N failed") and the time taken.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
started=$(date +%s)

bash scripts/install-deps.sh all

build="$root/build"
werror=OFF
if [ "${CI:-}" = "true" ]; then werror=ON; fi
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVEL_WERROR=$werror \
  -DQUORVEL_BUILD_TESTS=ON -DQUORVEL_BUILD_BENCHMARKS=ON >/dev/null
cmake --build "$build" -j"$(nproc)"

cd "$build"
status=0
results=$(mktemp /tmp/quorvel-test-results.XXXXXX)

# Tests that need no display run in parallel, without one, so no test window
# can take the keyboard focus from the programs that the display tests drive.
env -u DISPLAY ctest --output-on-failure -j"$(nproc)" --timeout 600 -LE display | tee -a "$results" ||
  status=1

# Tests that draw run one after another on a private Xvfb screen.
echo "The drawing tests run one at a time on a private virtual screen (Xvfb); nothing appears on your desktop."
. "$root/scripts/xvfb.sh"
quorvel_start_xvfb 1024x768x24
trap 'quorvel_stop_xvfb; rm -f "$results"' EXIT
ctest --output-on-failure --timeout 1800 -L display | tee -a "$results" || status=1

# The whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer, with the fuzz corpora replayed.
bash "$root/scripts/test-sanitize.sh" | tee -a "$results" || status=1

# One verdict over both runs, from CTest's summary lines
# ("100% tests passed, 0 tests failed out of 301").
read -r passed failed < <(awk '/tests passed, [0-9]+ tests? failed out of/ {
    failed += $4; total += $NF } END { print total - failed, failed + 0 }' "$results")
if [ "$status" -ne 0 ] && [ "$failed" -eq 0 ]; then
  failed=1 # a run that failed without a summary (a crash of CTest itself)
fi
echo
echo "verdict: $passed passed, $failed failed"
echo "time: $(($(date +%s) - started)) s"
exit $status
