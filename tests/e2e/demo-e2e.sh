#!/usr/bin/env bash
# Runs the demonstration as a user would and checks what it shows and logs.
#   demo-e2e.sh DEMO-BINARY CLOSE-WINDOW-TOOL SOURCE-DIR
# Needs DISPLAY (an Xvfb screen of 1024x768x24, as the test command starts).
set -uo pipefail
demo=$1
close_tool=$2
source_dir=$3
. "$source_dir/tests/support/run-helpers.sh"

e2e_begin e2e


# --- 1. A normal run: draw, walk, close. ---------------------------------
run=$(make_run_dir normal)
if start_demo "$run"; then
  pass "the demonstration starts and enters its main loop"
  sleep 1.5
  screenshot "$run/start.png"

  # Crosshair: white arms around the centre (512, 384), open centre.
  has_colour "$run/start.png" 502 383 8 3 255 255 255 && pass "crosshair left arm is white" ||
    fail "no white crosshair arm left of the centre"
  has_colour "$run/start.png" 511 387 3 8 255 255 255 && pass "crosshair lower arm is white" ||
    fail "no white crosshair arm below the centre"

  # Minimap: 1024 / 70 = 14.63 pixels a cell, from x = 877.7 at the top.
  # Background grey over the open cell (0, 0); orange over the solid cell (1, 5).
  has_colour "$run/start.png" 879 2 6 6 128 128 128 && pass "minimap background is grey" ||
    fail "minimap background not grey at the open cell (0, 0): $(pixel "$run/start.png" 881 4)"
  has_colour "$run/start.png" 896 76 8 8 178 102 0 && pass "minimap solid cell is orange" ||
    fail "minimap solid cell (1, 5) not orange: $(pixel "$run/start.png" 900 80)"
  # The player's heading starts in the middle of cell (0, 0).
  has_colour "$run/start.png" 882 4 8 10 255 0 0 && pass "heading line at the start cell" ||
    fail "no red heading line at the start cell"

  # Counter: white digits in the bottom line box (y 752..768), centred.
  has_colour "$run/start.png" 480 750 64 18 255 255 255 && pass "frames-per-second counter drawn" ||
    fail "no white counter text at the bottom centre"

  # Walk forward (towards -z): the heading line moves down the minimap by
  # about 3 cells a second. The window must have the keyboard focus.
  xdotool search --name "^Quorvel Application$" windowfocus 2>/dev/null
  moved=0
  for attempt in 1 2; do
    xdotool keydown w; sleep 1; xdotool keyup w
    sleep 0.5
    screenshot "$run/walked.png"
    if ! has_colour "$run/walked.png" 879 2 12 14 255 0 0 &&
       has_colour "$run/walked.png" 879 20 12 140 255 0 0; then
      moved=1
      break
    fi
    echo "the heading line has not moved yet (attempt $attempt)"
  done
  [ $moved = 1 ] && pass "walking forward moves the player down the minimap" ||
    fail "the heading line did not move down the minimap after walking forward"

  if stop_demo; then pass "exit code 0 after the window was closed"; else fail "exit code $? after close"; fi
  expected=("Application initialising..." "Initialisation successful" "Running main loop..."
            "Application terminated" "Application exited successfully.")
  line=0
  ok=1
  for text in "${expected[@]}"; do
    found=$(grep -nxF -- "$text" "$run/quorvel.log" | head -n1 | cut -d: -f1)
    if [ -z "$found" ] || [ "$found" -le "$line" ]; then ok=0; fail "log line \"$text\" missing or out of order"; break; fi
    line=$found
  done
  [ $ok = 1 ] && pass "log lines in order"
  [ "$(tail -n1 "$run/quorvel.log")" = "Application exited successfully." ] && pass "last log line" ||
    fail "last log line is \"$(tail -n1 "$run/quorvel.log")\""
else
  fail "the demonstration did not reach its main loop"
  cat "$run/quorvel.log" "$run/stderr.txt" 2>/dev/null
  kill -KILL $demo_pid 2>/dev/null
fi

# --- 2. Without quorvel.conf: a non-zero exit with a message. -------------
run=$(make_run_dir noconf)
rm "$run/quorvel.conf"
(cd "$run" && exec "$demo" >"$run/stdout.txt" 2>"$run/stderr.txt") &
demo_pid=$!
# The message also goes to a message box on the display; a user dismisses it.
for _ in $(seq 1 100); do
  [ -s "$run/stderr.txt" ] && break
  kill -0 $demo_pid 2>/dev/null || break
  sleep 0.1
done
for _ in $(seq 1 50); do
  kill -0 $demo_pid 2>/dev/null || break
  "$close_tool" "Error" >/dev/null 2>&1
  sleep 0.2
done
kill -0 $demo_pid 2>/dev/null && { kill -KILL $demo_pid; echo "the message box was not dismissed"; }
status=0
wait $demo_pid || status=$?
if [ $status -ne 0 ] && [ $status -lt 128 ]; then pass "no quorvel.conf: exit code $status"; else fail "no quorvel.conf: exit code $status"; fi
grep -q "quorvel.conf" "$run/stderr.txt" && pass "no quorvel.conf: the message names the file" ||
  fail "no quorvel.conf: message missing: $(cat "$run/stderr.txt")"

# --- 3. Corrupt content keeps running and logs the failure. ---------------
for item in "default.glf:Font id=default load failed" "floor.glt:Texture id=floor load failed"; do
  file=${item%%:*}
  line=${item#*:}
  run=$(make_run_dir "corrupt-${file%.*}")
  head -c 30 "$source_dir/data/$file" >"$run/data/$file"
  if start_demo "$run"; then
    sleep 1
    kill -0 $demo_pid 2>/dev/null && pass "corrupt $file: still running" || fail "corrupt $file: the demonstration died"
    screenshot "$run/corrupt.png"
    if stop_demo; then pass "corrupt $file: exit code 0"; else fail "corrupt $file: exit code $?"; fi
  else
    fail "corrupt $file: did not reach the main loop"
    kill -KILL $demo_pid 2>/dev/null
  fi
  grep -qxF "$line" "$run/quorvel.log" && pass "corrupt $file: log says \"$line\"" ||
    fail "corrupt $file: log line \"$line\" missing"
done

# --- 4. No "data" directory: the window still opens; resources are looked
# up in the working directory, where they are missing. ----------------------
run=$(make_run_dir nodata)
rm -rf "$run/data"
if start_demo "$run"; then
  pass "no data directory: the main loop starts"
  sleep 1
  if stop_demo; then pass "no data directory: exit code 0"; else fail "no data directory: exit code $?"; fi
else
  fail "no data directory: did not reach the main loop"
  kill -KILL $demo_pid 2>/dev/null
fi
for line in "Texture id=floor load failed" "Font id=default load failed"; do
  grep -qxF "$line" "$run/quorvel.log" && pass "no data directory: log says \"$line\"" ||
    fail "no data directory: log line \"$line\" missing"
done

echo
if [ $failures -eq 0 ]; then
  echo "end-to-end: all checks passed"
  exit 0
fi
echo "end-to-end: $failures check(s) failed"
exit 1
