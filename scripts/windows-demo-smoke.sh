#!/usr/bin/env bash
# The Windows build of the demonstration, built and run: cross-compiles
# quorvel-demo.exe with MinGW-w64 (warnings are errors) and runs it under Wine
# on the current display (DISPLAY must be set, a 1024x768x24 screen) with the
# shipped quorvel.conf and data/ beside it. It must load XInput at run time
# (no gamepad line in the log without a controller), draw sky, floor, walls,
# minimap, counter and crosshair at their places, walk when w is held, stop
# when the window loses the focus while w is still held, and on a close
# request end with exit code 0 and a CRLF log whose last line is
# "Application exited successfully.".
#
#   windows-demo-smoke.sh [work directory]   (default: build/windows-smoke,
#   shared with windows-smoke.sh: the same cross-build and Wine prefix)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=${1:-$root/build/windows-smoke}
build="$work/build"
run="$work/demo-run"
. "$root/tests/support/run-helpers.sh"

fail() { fail_windows_run "$run" "$@"; }

# 1. The cross-build and the private Wine prefix (shared with windows-smoke.sh).
windows_ready "$root" "$work" quorvel-demo demo/quorvel-demo.exe xdotool xwd convert xeyes || fail "$windows_failure"
exe="$build/demo/quorvel-demo.exe"

# 2. The run, laid out as the README says: the .exe with quorvel.conf and data/.
new_run_dir "$run"
cp "$exe" .
cp "$root/quorvel.conf" .
cp -r "$root/data" data
wine ./quorvel-demo.exe >wine.txt 2>&1 &
pid=$!
eyes=""
cleanup() {
    [ -n "$eyes" ] && kill "$eyes" 2>/dev/null
    kill -0 $pid 2>/dev/null && { wine taskkill /F /IM quorvel-demo.exe >/dev/null 2>&1; kill $pid 2>/dev/null; }
    wineserver -k 2>/dev/null || true
}
trap cleanup EXIT
wait_for_line quorvel.log "Running main loop..." $pid 600
kill -0 $pid 2>/dev/null || fail "the demonstration ended before its main loop ran"
sleep 2

head -1 quorvel.log | grep -q $'^Application initialising...\r$' || fail "the log does not start with a CRLF line"
# XInput is loaded at run time (Wine has xinput1_4.dll); without a controller
# nothing about the gamepad is logged.
if grep -q "XInput\|gamepad" quorvel.log; then
    fail "the log speaks of the gamepad: $(grep "XInput\|gamepad" quorvel.log)"
fi

shot() { xwd -root -silent | convert xwd:- "$1" || fail "no screenshot"; }
# The minimap's 10 x 10 cells (1024 / 70 pixels each) in the top-right corner.
minimap() { convert "$1" -crop 147x147+877+0 -depth 8 rgb:- | md5sum; }

# 3. The picture: everything at its place on the 1024 x 768 screen.
shot start.png
has_colour start.png 256 40 512 190 74 128 220 || fail "no blue sky in the upper part"
has_colour start.png 340 660 340 90 150 150 145 || fail "no stone floor in the lower part"
has_colour start.png 0 200 200 400 200 95 55 || fail "no brick wall on the left"
has_colour start.png 879 1 4 4 128 128 128 || fail "minimap background not grey at the top-right"
has_colour start.png 896 76 8 8 178 102 0 || fail "minimap solid cell (1, 5) not orange"
has_colour start.png 502 383 8 3 255 255 255 || fail "no crosshair at the centre"
has_colour start.png 480 750 64 18 255 255 255 || fail "no counter at the bottom centre"

# 4. Holding w walks: the player's mark moves on the minimap.
window=$(xdotool search --name "^Quorvel Application$" | head -1)
[ -n "$window" ] || fail "no window named \"Quorvel Application\""
xdotool windowfocus "$window" 2>/dev/null || true
before=$(minimap start.png)
xdotool keydown w
sleep 1
xdotool keyup w
sleep 0.5
shot walked.png
[ "$(minimap walked.png)" != "$before" ] || fail "holding w did not move the view"

# 5. Focus loss with w held: the player stops although no key-up of w ever
#    reaches the program.
xeyes -geometry 80x80+0+0 &
eyes=$!
sleep 1
xdotool windowfocus "$window" 2>/dev/null || true
xdotool keydown w
sleep 0.3
xdotool search --name "^xeyes$" windowfocus 2>/dev/null || fail "cannot focus another window"
sleep 0.5
shot unfocused-1.png
sleep 1.5
shot unfocused-2.png
xdotool keyup w
kill "$eyes" 2>/dev/null
eyes=""
[ "$(minimap unfocused-1.png)" = "$(minimap unfocused-2.png)" ] ||
    fail "the player kept walking after the window lost the focus"
grep -q "Application" quorvel.log || fail "no log"
kill -0 $pid 2>/dev/null || fail "the demonstration ended during the input"

# 6. A close request (WM_CLOSE, as taskkill without /F sends it).
wine_close $pid quorvel-demo.exe || fail "$wine_close_failure"
status=0
wait_for_exit $pid
kill -0 $pid 2>/dev/null && fail "the demonstration did not end after the close request"
wait $pid || status=$?
trap - EXIT
wineserver -k 2>/dev/null || true
[ $status -eq 0 ] || fail "exit code $status after the close request, expected 0"
[ "$(tail -n 1 quorvel.log)" = $'Application exited successfully.\r' ] ||
    fail "the last line is not \"Application exited successfully.\" with a CRLF"
echo "Windows demonstration: built with -Werror; under Wine it drew the level and HUD, walked, stopped on focus loss and ended with exit code 0"
