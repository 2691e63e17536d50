#!/usr/bin/env bash
# The sanitizer step of the test command (scripts/test.sh calls it): builds
# the engine, tools, programs, tests and fuzz targets with clang,
# AddressSanitizer and UndefinedBehaviorSanitizer into build-sanitize/
# (-DQUORVEL_SANITIZE=ON -DQUORVEL_FUZZ=ON, Debug) and runs the whole CTest
# suite there: the tests without a display in parallel, then the drawing
# tests (and the fuzz targets that upload to OpenGL) on a private Xvfb
# screen. The fuzz targets only replay their committed corpora (label
# "fuzz"). The build sets the sanitizer options of every test itself, so a
# plain `ctest` in build-sanitize/ runs the same way.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

if [ "${QUORVEL_SKIP_SANITIZE:-}" = "1" ]; then
  echo "test-sanitize.sh: skipped (QUORVEL_SKIP_SANITIZE=1)"
  exit 0
fi
bash scripts/install-deps.sh build demo tests sanitize

build="$root/build-sanitize"
werror=OFF
if [ "${CI:-}" = "true" ]; then werror=ON; fi
CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DQUORVEL_SANITIZE=ON -DQUORVEL_FUZZ=ON \
  -DQUORVEL_BUILD_BENCHMARKS=OFF -DQUORVEL_WERROR=$werror >/dev/null
cmake --build "$build" -j"$(nproc)"

cd "$build"
status=0
env -u DISPLAY ctest --output-on-failure -j"$(nproc)" --timeout 900 -LE display || status=1

. "$root/scripts/xvfb.sh"
quorvel_start_xvfb 1024x768x24
trap quorvel_stop_xvfb EXIT
ctest --output-on-failure --timeout 1800 -L display || status=1

exit $status
