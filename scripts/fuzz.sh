#!/usr/bin/env bash
# Runs a real fuzzing session: scripts/fuzz.sh TARGET [SECONDS] (default 600).
# TARGET is a folder name in fuzz/corpus/ (config, bmp, font, ...), or "all"
# for every target one after another, SECONDS each. The targets are built in
# build-sanitize/ (the test command's sanitizer build). The session starts
# from the committed seeds in fuzz/corpus/TARGET/ and keeps what it finds in
# build-sanitize/fuzz-work/TARGET/corpus/ (the committed seeds are never
# changed); an input that fails is written to
# build-sanitize/fuzz-work/TARGET/crash-..., leak-... or timeout-...
# Sessions run on a private Xvfb screen (some targets upload to OpenGL). Extra libFuzzer
# flags may follow the seconds, e.g. scripts/fuzz.sh bmp 60 -max_len=65536.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

if [ $# -lt 1 ]; then
  echo "usage: scripts/fuzz.sh TARGET|all [SECONDS] [libFuzzer flags...]" >&2
  echo "targets: $(ls fuzz/corpus | tr '\n' ' ')" >&2
  exit 2
fi
target=$1
seconds=${2:-600}
shift $(( $# >= 2 ? 2 : 1 ))

if [ "$target" = "all" ]; then
  status=0
  for name in $(ls fuzz/corpus); do
    bash "$0" "$name" "$seconds" "$@" || status=1
  done
  exit $status
fi
if [ ! -d "fuzz/corpus/$target" ]; then
  echo "fuzz.sh: no target $target (targets: $(ls fuzz/corpus | tr '\n' ' '))" >&2
  exit 2
fi

bash scripts/install-deps.sh build demo tests sanitize
build="$root/build-sanitize"
CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug -DQUORVEL_SANITIZE=ON -DQUORVEL_FUZZ=ON \
  -DQUORVEL_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target "fuzz-$target"

work="$build/fuzz-work/$target"
mkdir -p "$work/corpus"
cd "$work"

# Some targets upload to OpenGL: every session gets a private screen.
. "$root/scripts/xvfb.sh"
quorvel_start_xvfb 1024x768x24
trap quorvel_stop_xvfb EXIT

# The options the build gives the tests, leak suppressions included.
. "$build/sanitizer-environment.sh"

"$build/fuzz/fuzz-$target" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$work/" \
  "$@" "$work/corpus" "$root/fuzz/corpus/$target"
