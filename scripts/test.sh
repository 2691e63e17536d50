#!/usr/bin/env bash
# Builds Quorvel and runs every test: installs missing packages, configures,
# builds, starts Xvfb for the tests that draw, and runs CTest.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

bash scripts/install-deps.sh

build="$root/build"
werror=OFF
if [ "${CI:-}" = "true" ]; then werror=ON; fi
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVEL_WERROR=$werror >/dev/null
cmake --build "$build" -j"$(nproc)"

cd "$build"
status=0

# Tests that need no display run in parallel, without one, so no test window
# can take the keyboard focus from the programs that the display tests drive.
env -u DISPLAY ctest --output-on-failure -j"$(nproc)" --timeout 600 -LE display || status=1

# Tests that draw run one after another on a private Xvfb screen.
. "$root/scripts/xvfb.sh"
quorvel_start_xvfb 1024x768x24
trap quorvel_stop_xvfb EXIT
ctest --output-on-failure --timeout 1800 -L display || status=1

# The whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer, with the fuzz corpora replayed.
bash "$root/scripts/test-sanitize.sh" || status=1

exit $status
