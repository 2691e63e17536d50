#!/usr/bin/env bash
# The Windows build, built and run: cross-compiles the engine and the spine
# program with MinGW-w64 (warnings are errors), then runs the .exe under Wine
# on the current display (DISPLAY must be set, a 1024x768x24 screen). It must
# start, write its log with Windows line ends, draw the crosshair, take a key
# and a cursor move, and on a close request end with exit code 0 and
# "Application terminated" as the last line of its main loop.
#
#   windows-smoke.sh [work directory]   (default: build/windows-smoke)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=${1:-$root/build/windows-smoke}
build="$work/build"
run="$work/run"
. "$root/tests/support/run-helpers.sh"

fail() { fail_windows_run "$run" "$@"; }

# 1. The cross-build and a private Wine prefix, made once.
windows_ready "$root" "$work" quorvel-spine examples/spine/quorvel-spine.exe xte xdotool xwd convert ||
    fail "$windows_failure"
exe="$build/examples/spine/quorvel-spine.exe"

# 2. The run.
new_run_dir "$run"
printf '[GraphicSystem]\r\nwidth=1024\r\nheight=768\r\nbpp=32\r\n' > quorvel.conf
cp "$exe" .
WINEDEBUG=-all,+keyboard,+msg wine ./quorvel-spine.exe >wine.txt 2>&1 &
pid=$!
cleanup() { kill -0 $pid 2>/dev/null && { wine taskkill /F /IM quorvel-spine.exe >/dev/null 2>&1; kill $pid 2>/dev/null; } ; wineserver -k 2>/dev/null || true; }
trap cleanup EXIT
wait_for_line quorvel.log "Running main loop..." $pid 300
kill -0 $pid 2>/dev/null || fail "the program ended before its main loop ran"
sleep 1

# Its log uses Windows line ends.
head -1 quorvel.log | grep -q $'^Application initialising...\r$' || fail "the log does not start with a CRLF line"

# It draws: the crosshair's arms are white, the centre and background black.
xwd -root -silent | convert xwd:- shot.png || fail "no screenshot"
value() { convert shot.png -format "%[fx:$1]" info:; }
[ "$(value 'max(p{505,383}.r,p{505,384}.r)')" = 1 ] || fail "left arm of the crosshair not drawn"
[ "$(value 'max(p{511,390}.r,p{512,390}.r)')" = 1 ] || fail "bottom arm of the crosshair not drawn"
[ "$(value 'p{100,100}.r+p{1000,700}.g')" = 0 ] || fail "background not black"

# The cursor was put at the screen centre when the window was created.
eval "$(xdotool getmouselocation --shell)"
[ "$X" = 512 ] && [ "$Y" = 384 ] || fail "cursor at $X,$Y, not at the centre"

# A key and a cursor move reach the program, as Wine's traces show: the
# input system translates the w key (virtual key 87, scan code 17) with its
# 2-character buffer, and a cursor message at 600,300 reaches the window.
moves=$(grep -c 'msg 200 (WM_MOUSEMOVE)' wine.txt || true)
xte 'key w'
xdotool mousemove 600 300
sleep 1
grep -q 'ToUnicodeEx virt 87, scan 17, .* size 2,' wine.txt || fail "the w key did not reach the input system"
[ "$(grep -c 'msg 200 (WM_MOUSEMOVE)' wine.txt || true)" -gt "$moves" ] || fail "no cursor message after the move"
grep -q 'lp=012c0258' wine.txt || fail "the cursor message is not at 600,300"
kill -0 $pid 2>/dev/null || fail "the program ended after input"

# 3. A close request (WM_CLOSE, as taskkill without /F sends it).
wine_close $pid quorvel-spine.exe || fail "$wine_close_failure"
status=0
wait_for_exit $pid
kill -0 $pid 2>/dev/null && fail "the program did not end after the close request"
wait $pid || status=$?
trap - EXIT
wineserver -k 2>/dev/null || true
[ $status -eq 0 ] || fail "exit code $status after the close request, expected 0"
[ "$(tail -n 1 quorvel.log)" = $'Application terminated\r' ] || fail "the last line is not \"Application terminated\""
echo "Windows build: built with -Werror; under Wine it ran, drew, took input and ended with exit code 0"
