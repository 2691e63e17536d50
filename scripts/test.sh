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

. scripts/xvfb.sh
quorvel_start_xvfb 1024x768x24
trap quorvel_stop_xvfb EXIT

cd "$build"
ctest --output-on-failure -j"$(nproc)" --timeout 600
