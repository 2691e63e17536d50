#!/usr/bin/env bash
# End-to-end run of quorvel-spine on the display the test command started
# (a 1024x768 screen): the program starts, draws the crosshair, ends with exit
# code 0 when its window is closed and logs each stage. Without quorvel.conf it
# must end at once with a non-zero exit code.
#
#   spine-run.sh <quorvel-spine> <quorvel-close-window> <work directory>
set -u
spine=$1
close=$2
work=$3
. "$(dirname "$0")/../support/run-helpers.sh"

fail() { fail_with_log "$work/run/quorvel.log" "$@"; }

[ -n "${DISPLAY:-}" ] || fail "no DISPLAY: this test runs under the test command's Xvfb"
rm -rf "$work"
mkdir -p "$work/run" "$work/noconf"

# A normal run.
cd "$work/run"
printf '[GraphicSystem]\nwidth=1024\nheight=768\nbpp=32\n' > quorvel.conf
# SDL's silent audio driver: the sound system opens its device the same way
# on every machine, so its lines are known.
SDL_AUDIODRIVER=dummy "$spine" &
pid=$!
wait_for_line quorvel.log "Running main loop..." $pid
kill -0 $pid 2>/dev/null || fail "quorvel-spine ended before its main loop ran"
sleep 0.5

# The crosshair: white arms around an open centre on a black screen. A line
# along a pixel edge may light either neighbouring row or column.
xwd -root -silent | /usr/bin/convert xwd:- shot.png || fail "no screenshot"
value() { /usr/bin/convert shot.png -format "%[fx:$1]" info:; }
[ "$(value 'max(p{505,383}.r,p{505,384}.r)')" = 1 ] || fail "left arm not white"
[ "$(value 'max(p{518,383}.r,p{518,384}.r)')" = 1 ] || fail "right arm not white"
[ "$(value 'max(p{511,377}.r,p{512,377}.r)')" = 1 ] || fail "top arm not white"
[ "$(value 'max(p{511,390}.r,p{512,390}.r)')" = 1 ] || fail "bottom arm not white"
[ "$(value 'p{511,383}.r+p{512,384}.r+p{100,100}.r+p{1000,700}.g')" = 0 ] || fail "centre or background not black"

"$close" "Quorvel Application" || fail "no window titled Quorvel Application"
status=0
wait_for_exit $pid
kill -0 $pid 2>/dev/null && { kill $pid; fail "quorvel-spine did not end after the close"; }
wait $pid || status=$?
[ $status -eq 0 ] || fail "exit code $status after the close, expected 0"
expected=$'Application initialising...\nSound: 44100 Hz stereo, 4 buffers of 1024 frames (93 ms)\nInitialisation successful\nRunning main loop...\nApplication terminated\nSound: stopped'
[ "$(cat quorvel.log)" = "$expected" ] || fail "log lines differ"

# Without quorvel.conf start-up fails: the user is told what to add (the
# message box is closed here the way a user would), and the program ends
# with a non-zero exit code.
cd "$work/noconf"
"$spine" >out.txt 2>&1 </dev/null &
pid=$!
wait_for_line out.txt "GraphicSystem" $pid
grep -q '\[GraphicSystem\] section' out.txt || { kill $pid 2>/dev/null; fail "the user is not told about the missing [GraphicSystem] section"; }
# The box is titled with the system's default caption; Return presses OK.
for _ in $(seq 1 50); do
    kill -0 $pid 2>/dev/null || break
    box=$(xwininfo -root -tree 2>/dev/null | awk '/"Error"/ { print $1; exit }')
    [ -n "$box" ] && xdotool key --window "$box" Return >/dev/null 2>&1
    sleep 0.2
done
kill -0 $pid 2>/dev/null && { kill $pid; fail "quorvel-spine did not end after a failed start-up"; }
status=0
wait $pid || status=$?
[ $status -ne 0 ] || fail "exit code 0 without quorvel.conf"
expected=$'Application initialising...\nInitialisation failed'
[ "$(cat quorvel.log)" = "$expected" ] || fail "log lines differ without quorvel.conf"

echo "quorvel-spine: crosshair drawn, exit 0 on close, log complete; non-zero without quorvel.conf"
