#!/usr/bin/env bash
# The start-up failure message box as a user or a script meets it: it fits on
# the screen (long lines wrapped), and a termination signal closes it and ends
# the program with the exit code a click on OK gives (1), leaving no box
# behind. Without XDG_RUNTIME_DIR in the environment nothing is said about it
# on stderr.
#   message-box-e2e.sh DEMO-BINARY SOURCE-DIR
# Needs DISPLAY (an Xvfb screen of 1024x768x24, as the test command starts).
set -uo pipefail
demo=$1
source_dir=$2
. "$source_dir/tests/support/run-helpers.sh"
e2e_begin message-box

# A full-screen mode the 1024 x 768 test screen does not offer.
unavailable='fullscreen = on\nwidth = 1234\nheight = 567\nbpp = 32\n'

# Waits until the box is on the screen; prints the width of what is drawn.
box_width() {
  local shot=$1 width=0
  for _ in $(seq 1 50); do
    kill -0 "$demo_pid" 2>/dev/null || break
    screenshot "$shot"
    width=$(/usr/bin/convert "$shot" -trim -format "%w" info: 2>/dev/null)
    [ "${width:-0}" -gt 16 ] && break
    sleep 0.2
  done
  echo "${width:-0}"
}

for signal in TERM INT HUP QUIT; do
  run=$(make_run_dir "box-$signal" "$unavailable")
  launch "$run"
  width=$(box_width "$run/box.png")
  if [ "$width" -gt 16 ]; then
    pass "SIG$signal: the box is up"
    [ "$signal" = TERM ] && { [ "$width" -lt 1000 ] && pass "the box fits the screen ($width pixels)" ||
      fail "the box is $width pixels wide on a 1024-pixel screen"; }
  else
    fail "SIG$signal: no box on the screen"
  fi
  kill -s "$signal" "$demo_pid" 2>/dev/null
  started=$(date +%s%N)
  for _ in $(seq 1 50); do kill -0 "$demo_pid" 2>/dev/null || break; sleep 0.1; done
  took=$((($(date +%s%N) - started) / 1000000))
  finish
  [ "$status" = 1 ] && pass "SIG$signal: exit code 1 after ${took} ms" ||
    fail "SIG$signal: exit code $status after ${took} ms (expected 1 within 5 s)"
  # Nothing of the program stays behind: the box went with it.
  sleep 0.3
  boxes=$(xwininfo -root -tree 2>/dev/null | grep -c '"Error"')
  [ "$boxes" = 0 ] && pass "SIG$signal: the box is gone with the program" ||
    fail "SIG$signal: $boxes box(es) still on the screen after the program ended"
  grep -qF "1234 x 567" "$run/stderr.txt" && pass "SIG$signal: the message is on stderr, as written" ||
    fail "SIG$signal: no message on stderr: $(cat "$run/stderr.txt")"
done

# No complaint about a missing runtime directory.
run=$(make_run_dir "no-runtime-dir" "$unavailable")
(unset XDG_RUNTIME_DIR; launch "$run"; box_width "$run/box.png" >/dev/null; kill -TERM "$demo_pid"; finish; exit "$status")
status=$?
[ "$status" = 1 ] && pass "without XDG_RUNTIME_DIR: exit code 1" || fail "without XDG_RUNTIME_DIR: exit code $status"
grep -q "XDG_RUNTIME_DIR" "$run/stderr.txt" && fail "stderr speaks of XDG_RUNTIME_DIR: $(cat "$run/stderr.txt")" ||
  pass "without XDG_RUNTIME_DIR: nothing said about it"

exit $((failures > 0))
