#!/usr/bin/env bash
# Runs the demonstration on screens of several sizes and in each screen mode,
# as a desktop user would, and checks what it shows, logs and exits with:
# the shipped quorvel.conf (fullscreen = desktop) on every screen size, a
# window of 800 x 600 on a larger screen with Alt+Enter and a resize, the
# default full-screen mode, focus loss, Escape, signals, a lost X server and
# the start-up failures that need a clear message.
#   screen-e2e.sh DEMO-BINARY CLOSE-WINDOW-TOOL SOURCE-DIR
# Starts its own Xvfb screens (scripts/xvfb.sh), one at a time.
set -uo pipefail
demo=$1
close_tool=$2
source_dir=$3

. "$source_dir/scripts/xvfb.sh"
. "$source_dir/tests/support/run-helpers.sh"

e2e_begin screen-e2e
check() { # check DESCRIPTION COMMAND...
  local what=$1
  shift
  if "$@"; then pass "$what"; else fail "$what"; fi
}

cleanup() {
  [ -n "${demo_pid:-}" ] && kill -KILL "$demo_pid" 2>/dev/null
  quorvel_stop_xvfb
  rm -rf "$work"
}
trap cleanup EXIT

# check_hud IMAGE LEFT TOP WIDTH HEIGHT LABEL: the level's picture and the
# three widgets at their places in a client area at (LEFT, TOP).
check_hud() {
  local image=$1 left=$2 top=$3 w=$4 h=$5 label=$6
  # Minimap: W / 70 pixels a cell, ten cells wide, in the top-right corner.
  local cell=$((w / 70)) map_left=$((left + w - w * 10 / 70))
  check "$label: minimap grey in the top-right corner" has_colour "$image" $((map_left + 2)) $((top + 1)) 4 4 128 128 128
  check "$label: minimap solid cell (1, 5) orange" has_colour "$image" $((map_left + cell + cell / 4)) \
    $((top + 5 * cell + cell / 4)) $((cell / 2)) $((cell / 2)) 178 102 0
  check "$label: crosshair at the centre" has_colour "$image" $((left + w / 2 - 10)) $((top + h / 2 - 1)) 8 3 255 255 255
  check "$label: counter at the bottom centre" has_colour "$image" $((left + w / 2 - 32)) $((top + h - 18)) 64 18 255 255 255
  check "$label: blue sky above the horizon" has_colour "$image" $((left + w / 4)) $((top + h / 10)) $((w / 2)) $((h / 4)) 74 128 220
  check "$label: stone floor below the horizon" has_colour "$image" $((left + w / 3)) $((top + h - h / 8)) $((w / 3)) $((h / 10)) 150 150 145
}

quit_with_escape() { # sends Escape to the demonstration's window
  xdotool search --name "^Quorvel Application$" windowfocus 2>/dev/null
  xdotool key Escape
}

log_ends_successfully() { [ "$(tail -n1 "$1/quorvel.log")" = "Application exited successfully." ]; }

# --- 1. The shipped quorvel.conf on screens of four sizes: full screen at
# the screen's size, HUD in place; Escape quits with exit code 0. -----------
for size in 800x600 1024x768 1280x1024 1920x1080; do
  w=${size%x*}
  h=${size#*x}
  quorvel_start_xvfb "${size}x24"
  run=$(make_run_dir "desktop-$size")
  if start_demo "$run"; then
    sleep 1.5
    screenshot "$run/shot.png"
    check "$size: the picture is the screen's size" [ "$(identify -format %wx%h "$run/shot.png")" = "$size" ]
    check_hud "$run/shot.png" 0 0 "$w" "$h" "$size"
    quit_with_escape
    finish
    check "$size: Escape ends with exit code 0" [ "$status" = 0 ]
    check "$size: the log ends with the clean shutdown" log_ends_successfully "$run"
  else
    fail "$size: the demonstration did not reach its main loop"
    cat "$run/stderr.txt" "$run/quorvel.log" 2>/dev/null
    finish
  fi
  quorvel_stop_xvfb
done

# --- 1b. Without the fullscreen key (full screen in the configured mode,
# the default mode): the display is switched to 1024 x 768. --------
quorvel_start_xvfb 1024x768x24
run=$(make_run_dir default-mode)
grep -v "^fullscreen" "$source_dir/quorvel.conf" >"$run/quorvel.conf"
if start_demo "$run"; then
  sleep 1.5
  screenshot "$run/shot.png"
  check_hud "$run/shot.png" 0 0 1024 768 "fullscreen on"
  check "fullscreen on: no window frame or resize was logged" bash -c "! grep -q '^GraphicSystem' '$run/quorvel.log'"
  quit_with_escape
  finish
  check "fullscreen on: Escape ends with exit code 0" [ "$status" = 0 ]
else
  fail "fullscreen on: the demonstration did not reach its main loop"
  finish
fi
quorvel_stop_xvfb

quorvel_start_xvfb 1280x1024x24

# --- 2. fullscreen = off: an 800 x 600 client area centred on a 1280 x 1024
# screen; Alt+Enter to full screen and back; a resize moves the HUD. -------
run=$(make_run_dir windowed 'fullscreen = off\nwidth = 800\nheight = 600\nbpp = 32\n')
if start_demo "$run"; then
  sleep 1.5
  geometry=$(xdotool search --name "^Quorvel Application$" getwindowgeometry 2>/dev/null | tr -d ' ')
  check "windowed: client area 800 x 600" grep -q "Geometry:800x600" <<<"$geometry"
  check "windowed: centred on the screen" grep -q "Position:240,212" <<<"$geometry"
  screenshot "$run/window.png"
  check_hud "$run/window.png" 240 212 800 600 "windowed"
  check "windowed: the screen outside the window is untouched" has_colour "$run/window.png" 20 20 10 10 0 0 0

  xdotool search --name "^Quorvel Application$" windowfocus 2>/dev/null
  xdotool key alt+Return
  sleep 1.5
  screenshot "$run/toggled.png"
  check "Alt+Enter: logged full screen at the desktop's size" grep -qxF "GraphicSystem: full screen, 1280 x 1024" "$run/quorvel.log"
  check_hud "$run/toggled.png" 0 0 1280 1024 "Alt+Enter full screen"
  xdotool key alt+Return
  sleep 1.5
  check "Alt+Enter again: windowed at 800 x 600" grep -qxF "GraphicSystem: windowed, 800 x 600" "$run/quorvel.log"

  xdotool search --name "^Quorvel Application$" windowsize 1000 700 2>/dev/null
  sleep 1.5
  screenshot "$run/resized.png"
  check "resize: the client area follows" grep -qxF "GraphicSystem: client area 1000 x 700" "$run/quorvel.log"
  position=$(xdotool search --name "^Quorvel Application$" getwindowgeometry 2>/dev/null | sed -n 's/.*Position: \([0-9]*\),\([0-9]*\).*/\1 \2/p')
  read -r wx wy <<<"$position"
  check_hud "$run/resized.png" "${wx:-0}" "${wy:-0}" 1000 700 "resized"

  # Focus loss: hold w, give the focus to another window, let w go there.
  # The player must stop (the heading line stays where it is).
  xeyes -geometry 100x100+0+0 &
  eyes=$!
  sleep 1
  xdotool search --name "^Quorvel Application$" windowfocus 2>/dev/null
  xdotool keydown w
  sleep 0.3
  xdotool search --name "^xeyes$" windowfocus 2>/dev/null
  xdotool keyup w
  sleep 0.5
  screenshot "$run/unfocused-1.png"
  sleep 1
  screenshot "$run/unfocused-2.png"
  check "focus loss: the player stops" cmp -s <(convert "$run/unfocused-1.png" -crop 150x110+$((wx + 1000 - 143))+$((wy)) rgb:-) \
    <(convert "$run/unfocused-2.png" -crop 150x110+$((wx + 1000 - 143))+$((wy)) rgb:-)
  kill $eyes 2>/dev/null
  wait $eyes 2>/dev/null

  quit_with_escape
  finish
  check "windowed: Escape ends with exit code 0" [ "$status" = 0 ]
  check "windowed: the log ends with the clean shutdown" log_ends_successfully "$run"
else
  fail "windowed: the demonstration did not reach its main loop"
  cat "$run/stderr.txt" "$run/quorvel.log" 2>/dev/null
  finish
fi

# --- 3. fullscreen = on (the default) asks for a mode this screen lacks: a
# message naming the mode, the modes offered, the file and the way out. ----
run=$(make_run_dir mode-missing 'width = 1024\nheight = 768\nbpp = 32\n')
launch "$run"
for _ in $(seq 1 50); do
  kill -0 "$demo_pid" 2>/dev/null || break
  "$close_tool" "Error" >/dev/null 2>&1
  sleep 0.2
done
finish
check "mode missing: exit code 1" [ "$status" = 1 ]
for text in "1024 x 768" "1280 x 1024" "$run/quorvel.conf" "fullscreen = off" "fullscreen = desktop"; do
  check "mode missing: the message says \"$text\"" grep -qF "$text" "$run/stderr.txt"
done

# --- 4. Signals end the program cleanly: SIGHUP and SIGQUIT while running,
# SIGTERM before the window exists. ---------------------------------------
for signal in HUP QUIT; do
  run=$(make_run_dir "signal-$signal")
  if start_demo "$run"; then
    kill -s "$signal" "$demo_pid"
    finish
    check "SIG$signal: exit code 0" [ "$status" = 0 ]
    check "SIG$signal: the log ends with the clean shutdown" log_ends_successfully "$run"
  else
    fail "SIG$signal: the demonstration did not reach its main loop"
    finish
  fi
done
run=$(make_run_dir signal-early)
launch "$run"
# The log appears when the engine starts, well before its window does.
for _ in $(seq 1 200); do
  [ -e "$run/quorvel.log" ] && break
  sleep 0.01
done
check "SIGTERM at start: sent before the window existed" bash -c "! grep -q 'Initialisation successful' '$run/quorvel.log'"
kill -s TERM "$demo_pid"
finish
check "SIGTERM at start: exit code 0" [ "$status" = 0 ]
check "SIGTERM at start: the log ends with the clean shutdown" log_ends_successfully "$run"

# --- 5. The log cannot be written: one line on standard error, runs on. ----
run=$(make_run_dir no-log)
mkdir "$run/quorvel.log" # a directory where the log file would go
launch "$run"
for _ in $(seq 1 100); do
  xdotool search --name "^Quorvel Application$" >/dev/null 2>&1 && break
  sleep 0.1
done
sleep 1
check "no log: still running" kill -0 "$demo_pid"
quit_with_escape
finish
check "no log: exit code 0" [ "$status" = 0 ]
check "no log: standard error says so once" [ "$(grep -c "cannot be written" "$run/stderr.txt")" = 1 ]

# --- 6. Unusable sizes: the message names the key and the value. ----------
for item in "width = -1" "height = 0" "bpp = -16"; do
  run=$(make_run_dir "bad-${item%% *}")
  printf '[GraphicSystem]\n%s\nwidth = 800\nheight = 600\nbpp = 32\n' "$item" >"$run/quorvel.conf"
  launch "$run"
  for _ in $(seq 1 50); do
    kill -0 "$demo_pid" 2>/dev/null || break
    "$close_tool" "Error" >/dev/null 2>&1
    sleep 0.2
  done
  finish
  check "$item: exit code 1" [ "$status" = 1 ]
  check "$item: the message names the key and value" grep -qF "$item" "$run/stderr.txt"
done

# --- 7. The X server goes away: the program ends promptly, non-zero. -------
run=$(make_run_dir display-lost)
if start_demo "$run"; then
  sleep 0.5
  quorvel_stop_xvfb
  finish
  check "display lost: a non-zero exit" [ "$status" != 0 ]
  check "display lost: not killed by a signal" [ "$status" -lt 128 ]
  check "display lost: logged" grep -q "quit message from the system" "$run/quorvel.log"
  check "display lost: said on standard error" grep -q "connection to the display was lost" "$run/stderr.txt"
else
  fail "display lost: the demonstration did not reach its main loop"
  finish
  quorvel_stop_xvfb
fi

# --- 8. No display at all: "no display" and what to do, exit code 1. ------
for display in unset ":987654"; do
  run=$(make_run_dir "no-display-${display#:}")
  if [ "$display" = unset ]; then
    (trap - EXIT; cd "$run" && exec env -u DISPLAY "$demo" >"$run/stdout.txt" 2>"$run/stderr.txt") &
  else
    (trap - EXIT; cd "$run" && exec env DISPLAY="$display" "$demo" >"$run/stdout.txt" 2>"$run/stderr.txt") &
  fi
  demo_pid=$!
  finish
  check "DISPLAY $display: exit code 1" [ "$status" = 1 ]
  check "DISPLAY $display: the message says \"no display\"" grep -q "no display" "$run/stderr.txt"
  check "DISPLAY $display: the message says what to do" grep -q "set DISPLAY" "$run/stderr.txt"
done

echo
if [ $failures -eq 0 ]; then
  echo "screen end-to-end: all checks passed"
  exit 0
fi
echo "screen end-to-end: $failures check(s) failed"
exit 1
