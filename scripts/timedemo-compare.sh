#!/usr/bin/env bash
# Measures the two drawing orders against each other: runs the timedemo
# alternately with the default order and with --sky-first, PAIRS times each
# (default 5), and prints every run's line and processor time per frame, then
# for each order the median of the runs' median frame times, of their mean
# frame times and of their processor times, with the ratios, and the median
# of each pair's own ratio of frame times. Alternating spreads whatever else
# the machine is doing over both orders alike.
#
#   scripts/timedemo-compare.sh [PAIRS] [FRAMES]
#
# Builds the demonstration if needed; without DISPLAY it runs on a private
# Xvfb screen of 1024 x 768 (the size the figures in the README are for).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
pairs=${1:-5}
frames=${2:-2000}

bash scripts/install-deps.sh demo
build="$root/build"
# Without the test packages (this command does not install them) the tests
# and benchmarks are left out of the build.
options=()
bash scripts/install-deps.sh --have tests || options=(-DQUORVEL_BUILD_TESTS=OFF -DQUORVEL_BUILD_BENCHMARKS=OFF)
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${options[@]}" >/dev/null
cmake --build "$build" --target quorvel-demo -j"$(nproc)" >/dev/null

run="$build/timedemo-run"
rm -rf "$run"
mkdir -p "$run"
cp -r "$root/data" "$run/data"
cp "$build/demo/quorvel-demo" "$run/" # a later build cannot change a comparison under way
printf '[GraphicSystem]\nwidth=1024\nheight=768\nbpp=32\n' >"$run/quorvel.conf"
cd "$run"

if [ -z "${DISPLAY:-}" ]; then
  . "$root/scripts/xvfb.sh"
  quorvel_start_xvfb 1024x768x24
  trap quorvel_stop_xvfb EXIT
fi

median_of() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", a / b }'; }
: >default.txt
: >skyfirst.txt
: >default-cpu.txt
: >skyfirst-cpu.txt
: >default-mean.txt
: >skyfirst-mean.txt
: >pair-ratio.txt
TIMEFORMAT='%U %S'
for i in $(seq 1 "$pairs"); do
  for order in default skyfirst; do
    args=(--timedemo "$frames")
    [ $order = skyfirst ] && args+=(--sky-first)
    # The processor time of the whole process (all the renderer's threads)
    # per frame: less disturbed by other work on the machine than the clock.
    # The program's own standard error (the sound library's complaints
    # about a machine without a sound card, say) is kept apart from the
    # time's line.
    if ! { time ./quorvel-demo "${args[@]}" >line.txt 2>stderr.txt; } 2>cpu.txt; then
      cat stderr.txt >&2
      exit 1
    fi
    line=$(cat line.txt)
    cpu=$(awk -v n="$frames" '{ printf "%.2f", ($1 + $2) * 1000 / n }' cpu.txt)
    printf '%-9s %s; processor ms per frame %s\n' "$order" "$line" "$cpu"
    echo "$line" | sed -n 's/.* median \([0-9.]*\) .*/\1/p' >>"$order.txt"
    echo "$cpu" >>"$order-cpu.txt"
    # The mean frame (the run's seconds over its frames): the median is
    # printed to a tenth of a millisecond, a coarse step for short frames.
    echo "$line" | sed -n 's/.* frames in \([0-9.]*\) s.*/\1/p' | awk -v n="$frames" '{ printf "%.3f\n", $1 * 1000 / n }' >>"$order-mean.txt"
  done
  # The pair's own ratio: the two runs of a pair are next to each other, so
  # a change in the machine's load between pairs falls on both.
  ratio "$(tail -n1 default.txt)" "$(tail -n1 skyfirst.txt)" >>pair-ratio.txt
  echo >>pair-ratio.txt
done
d=$(median_of <default.txt)
s=$(median_of <skyfirst.txt)
echo "median frame ms: default order $d, sky first $s, ratio $(ratio "$d" "$s"); median of the pairs' ratios $(median_of <pair-ratio.txt)"
d=$(median_of <default-mean.txt)
s=$(median_of <skyfirst-mean.txt)
echo "mean frame ms (median of the runs): default order $d, sky first $s, ratio $(ratio "$d" "$s")"
d=$(median_of <default-cpu.txt)
s=$(median_of <skyfirst-cpu.txt)
echo "processor ms per frame (median of the runs): default order $d, sky first $s, ratio $(ratio "$d" "$s")"
