#!/usr/bin/env bash
# Builds and runs the Quorvel demonstration.
#
# On a desktop (DISPLAY set) it runs as quorvel.conf says (shipped: full
# screen at the desktop's size) until Escape or a close. Without a display it
# runs under Xvfb for a few seconds of scripted input (walk forward, turn),
# saves a screenshot and prints where it is, then the log.
#
# It runs in build/demo-run/, which is yours: quorvel.conf there is created
# from the shipped one only when missing, and your own files in data/ there
# (your levels, say) stay; only the shipped content is refreshed.
#
#   demo.sh                  build and run
#   demo.sh --prepare-only   only make the run directory ready
# QUORVEL_DEMO_RUN=DIR runs in DIR instead of build/demo-run.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
run="${QUORVEL_DEMO_RUN:-$root/build/demo-run}"

# The run directory: the shipped content refreshed, the user's settings and
# own files kept.
prepare_run_directory() {
  mkdir -p "$run/data"
  cp -r "$root/data/." "$run/data/"
  if [ -f "$run/quorvel.conf" ]; then
    echo "Keeping your settings in $run/quorvel.conf (remove it to get the shipped one back)."
  else
    cp "$root/quorvel.conf" "$run/quorvel.conf"
    echo "Created $run/quorvel.conf from the shipped one; your changes there are kept."
  fi
}

case "${1:-}" in
"") ;;
--prepare-only)
  prepare_run_directory
  exit 0
  ;;
*)
  echo "usage: bash scripts/demo.sh [--prepare-only]" >&2
  exit 2
  ;;
esac

bash scripts/install-deps.sh demo

build="$root/build"
echo "Configuring and building the demonstration in $build"
echo "(the first build on a fresh clone takes a few minutes; later ones only seconds)..."
# Without the test packages (this command does not install them) the tests
# and benchmarks are left out of the build.
options=()
bash scripts/install-deps.sh --have tests || options=(-DQUORVEL_BUILD_TESTS=OFF -DQUORVEL_BUILD_BENCHMARKS=OFF)
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo "${options[@]}" >/dev/null
# CMake's own progress lines show how far the build is.
cmake --build "$build" --target quorvel-demo quorvel-close-window quorvel-levelgen -j"$(nproc)" |
  grep --line-buffered -E '^\[ *[0-9]+%\]' | sed -u 's/ Building CXX object / compiling /'
echo "Build done."

# The demonstration runs from a directory holding "data" and "quorvel.conf".
prepare_run_directory
cd "$run"

if [ -n "${DISPLAY:-}" ]; then
  echo "Starting the demonstration: w a s d walk, the mouse looks around, Alt+Enter"
  echo "switches between a window and full screen, Escape quits."
  status=0
  "$build/demo/quorvel-demo" || status=$?
  echo "Exit code: $status"
  echo "Log ($run/quorvel.log):"
  cat quorvel.log
  exit $status
fi

# Headless: a virtual screen of the configured size (the shipped
# fullscreen = desktop fills whatever size it has).
conf_value() {
  awk -v key="$1" -v fallback="$2" '
    /^[ \t]*\[/ { s = tolower($0); gsub(/[ \t\[\]]/, "", s); section = s; next }
    section == "graphicsystem" {
      line = $0; sub(/^[ \t]+/, "", line)
      split(line, kv, "="); k = tolower(kv[1]); gsub(/[ \t]/, "", k)
      if (k == key) { v = kv[2]; gsub(/[ \t\r]/, "", v); print v; found = 1; exit }
    }
    END { if (!found) print fallback }' quorvel.conf
}
width=$(conf_value width 1024)
height=$(conf_value height 768)

. "$root/scripts/xvfb.sh"
quorvel_start_xvfb "${width}x${height}x24"
trap quorvel_stop_xvfb EXIT

"$build/demo/quorvel-demo" &
demo=$!

# Wait for the main loop to start.
for _ in $(seq 1 100); do
  grep -q "Running main loop..." quorvel.log 2>/dev/null && break
  kill -0 $demo 2>/dev/null || break
  sleep 0.1
done
sleep 1

if kill -0 $demo 2>/dev/null; then
  echo "Walking forward and looking around..."
  xdotool keydown w; sleep 1; xdotool keyup w
  for _ in $(seq 1 6); do xdotool mousemove_relative -- 10 0; sleep 0.05; done
  sleep 1.5
  xwd -root -silent | /usr/bin/convert xwd:- "$run/screenshot.png"
  # Escape quits, as it does for a user.
  xdotool key Escape
  for _ in $(seq 1 50); do kill -0 $demo 2>/dev/null || break; sleep 0.1; done
  kill -0 $demo 2>/dev/null && { "$build/tools/close-window/quorvel-close-window" "Quorvel Application" || kill -TERM $demo; }
fi

status=0
wait $demo || status=$?
echo "Exit code: $status"
if [ -f "$run/screenshot.png" ]; then
  echo "Screenshot: $run/screenshot.png"
fi
echo "Log ($run/quorvel.log):"
cat quorvel.log
exit $status
