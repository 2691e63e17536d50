#!/usr/bin/env bash
# Builds and runs the Quorvel demonstration.
#
# On a desktop (DISPLAY set) it runs as quorvel.conf says (shipped: full
# screen at the desktop's size) until Escape or a close. Without a display it
# runs under Xvfb for a few seconds of scripted input (walk forward, turn),
# saves a screenshot and prints where it is, then the log.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

bash scripts/install-deps.sh

build="$root/build"
echo "Configuring and building the demonstration in $build"
echo "(the first build on a fresh clone takes a few minutes; later ones only seconds)..."
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
# CMake's own progress lines show how far the build is.
cmake --build "$build" --target quorvel-demo quorvel-close-window quorvel-levelgen -j"$(nproc)" |
  grep --line-buffered -E '^\[ *[0-9]+%\]' | sed -u 's/ Building CXX object / compiling /'
echo "Build done."

# The demonstration runs from a directory holding "data" and "quorvel.conf".
run="$build/demo-run"
mkdir -p "$run"
rm -rf "$run/data"
cp -r "$root/data" "$run/data"
cp "$root/quorvel.conf" "$run/quorvel.conf"
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
