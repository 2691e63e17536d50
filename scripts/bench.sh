#!/usr/bin/env bash
# Builds and runs quorvel-bench, the Google Benchmark timings (sky noise,
# level tick, the drawing paths of the frame and the whole frame in both
# drawing orders). The drawing benchmarks need a display: without DISPLAY
# they run on a private Xvfb screen of 1024 x 768. Extra arguments go to the
# benchmark program (for example --benchmark_filter=Frame).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

bash scripts/install-deps.sh demo tests
build="$root/build"
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVEL_BUILD_BENCHMARKS=ON >/dev/null
cmake --build "$build" --target quorvel-bench -j"$(nproc)" >/dev/null

if [ -z "${DISPLAY:-}" ]; then
  . "$root/scripts/xvfb.sh"
  quorvel_start_xvfb 1024x768x24
  trap quorvel_stop_xvfb EXIT
fi
"$build/benchmarks/quorvel-bench" "$@"
