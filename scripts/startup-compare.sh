#!/usr/bin/env bash
# Measures the demonstration's start-up against the floor: the bare window
# (benchmarks/bare: SDL's video, a window covering the screen, an OpenGL
# context, one clear and one swap). Both print "first frame: SECONDS" once
# their first frame is on the screen (the demonstration with --first-frame)
# and exit; the time from the launch to that mark is taken for each, PAIRS
# times each (default 9), alternately on one screen, so that whatever else
# the machine does falls on both alike. Prints every pair and the median of
# each and of the ratios.
#
#   scripts/startup-compare.sh [PAIRS]
#
# Builds both if needed; without DISPLAY it runs them on a private Xvfb
# screen of 1024 x 768 (the size the figures in the README are for).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
pairs=${1:-9}
case "$pairs" in
'' | *[!0-9]* | 0)
  echo "usage: bash scripts/startup-compare.sh [PAIRS]  (PAIRS a whole number, at least 1)" >&2
  exit 2
  ;;
esac

bash scripts/install-deps.sh demo
build="$root/build"
# Without the test packages (this command does not install them) the tests
# and benchmarks are left out of the build.
options=()
bash scripts/install-deps.sh --have tests || options=(-DQUORVEL_BUILD_TESTS=OFF -DQUORVEL_BUILD_BENCHMARKS=OFF)
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${options[@]}" >/dev/null
cmake --build "$build" --target quorvel-demo quorvel-bare-window -j"$(nproc)" >/dev/null

run="$build/startup-run"
rm -rf "$run"
mkdir -p "$run"
cp -r "$root/data" "$run/data"
# Copies: a later build cannot change a comparison under way.
cp "$build/demo/quorvel-demo" "$build/benchmarks/bare/quorvel-bare-window" "$run/"
printf '[GraphicSystem]\nwidth=1024\nheight=768\nbpp=32\n' >"$run/quorvel.conf"
cd "$run"

if [ -z "${DISPLAY:-}" ]; then
  . "$root/scripts/xvfb.sh"
  quorvel_start_xvfb 1024x768x24
  trap quorvel_stop_xvfb EXIT
fi

# Milliseconds from the launch to the program's mark. The launch time is
# taken by the shell itself (no process started for it) just before the
# program is.
launch_to_mark() {
  local start
  start=$EPOCHREALTIME
  if ! "$@" >mark.txt 2>stderr.txt; then
    echo "startup-compare: $1 failed:" >&2
    cat stderr.txt >&2
    exit 1
  fi
  local mark
  mark=$(sed -n 's/^first frame: \([0-9.]*\)$/\1/p' mark.txt)
  if [ -z "$mark" ]; then
    echo "startup-compare: $1 printed no first-frame mark: $(head -c 300 mark.txt)" >&2
    exit 1
  fi
  awk -v a="$start" -v b="$mark" 'BEGIN { printf "%.1f", (b - a) * 1000 }'
}

median_of() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
: >bare.txt
: >demo.txt
: >ratio.txt
for i in $(seq 1 "$pairs"); do
  bare=$(launch_to_mark ./quorvel-bare-window)
  demo=$(launch_to_mark ./quorvel-demo --first-frame)
  ratio=$(awk -v a="$demo" -v b="$bare" 'BEGIN { printf "%.3f", a / b }')
  printf 'pair %d: bare window %s ms, demonstration %s ms, ratio %s\n' "$i" "$bare" "$demo" "$ratio"
  echo "$bare" >>bare.txt
  echo "$demo" >>demo.txt
  echo "$ratio" >>ratio.txt
done
b=$(median_of <bare.txt)
d=$(median_of <demo.txt)
echo "median launch to first frame: bare window $b ms, demonstration $d ms;" \
  "ratio of the medians $(awk -v a="$d" -v b="$b" 'BEGIN { printf "%.3f", a / b }'), median ratio $(median_of <ratio.txt)"
