#!/usr/bin/env bash
# The two programs that scripts/startup-compare.sh times against each other:
# the demonstration with --first-frame and the bare window. Each prints one
# mark, "first frame: SECONDS", that lies between its launch and its end, and
# exits with code 0; the demonstration logs its start-up as a plain run does.
#   startup-e2e.sh DEMO-BINARY BARE-WINDOW-BINARY SOURCE-DIR
# Needs DISPLAY (an Xvfb screen of 1024x768x24, as the test command starts).
set -uo pipefail
demo=$1
bare=$2
source_dir=$3

. "$source_dir/tests/support/run-helpers.sh"
e2e_begin startup

# Runs a program in a run directory; output in stdout.txt and stderr.txt
# there, the exit code in $status, the wall-clock launch and end in $launched
# and $ended (seconds since 1970).
run_marked() {
  local dir=$1
  shift
  status=0
  launched=$EPOCHREALTIME
  (cd "$dir" && timeout 120 "$@" >"$dir/stdout.txt" 2>"$dir/stderr.txt") || status=$?
  ended=$EPOCHREALTIME
}

# check_mark NAME DIR: one line of the mark's form on standard output, the
# time between the launch and the end.
check_mark() {
  local name=$1 dir=$2
  local line
  line=$(cat "$dir/stdout.txt")
  if [[ $line =~ ^first\ frame:\ ([0-9]+\.[0-9]{6})$ ]] && [ "$(wc -l <"$dir/stdout.txt")" -eq 1 ]; then
    local mark=${BASH_REMATCH[1]}
    if awk -v a="$launched" -v m="$mark" -v b="$ended" 'BEGIN { exit (a <= m && m <= b) ? 0 : 1 }'; then
      pass "$name: the mark lies between launch and end ($(awk -v a="$launched" -v m="$mark" 'BEGIN { printf "%.0f ms after the launch", (m - a) * 1000 }'))"
    else
      fail "$name: the mark $mark is not between the launch $launched and the end $ended"
    fi
  else
    fail "$name: expected one line \"first frame: SECONDS\", got: $(head -c 300 "$dir/stdout.txt")"
  fi
}

# --- 1. The bare window. ----------------------------------------------------
run=$(make_run_dir bare)
run_marked "$run" "$bare"
[ $status -eq 0 ] && pass "bare window: exit 0" || fail "bare window: exit $status: $(head -c 300 "$run/stderr.txt")"
check_mark "bare window" "$run"

# --- 2. The demonstration up to its first frame. ----------------------------
run=$(make_run_dir demo)
printf '[GraphicSystem]\nwidth=1024\nheight=768\nbpp=32\n' >"$run/quorvel.conf"
run_marked "$run" "$demo" --first-frame
[ $status -eq 0 ] && pass "demonstration --first-frame: exit 0" ||
  fail "demonstration --first-frame: exit $status: $(head -c 300 "$run/stderr.txt")"
check_mark "demonstration" "$run"
log="$run/quorvel.log"
line=$(cat "$run/stdout.txt")
# The start-up's own lines in their order, then the mark after the main loop.
expected=("Application initialising..." "Initialisation successful" "Press Escape or close the window to quit."
  "Running main loop..." "Application terminated" "$line" "Application exited successfully.")
previous=0
for text in "${expected[@]}"; do
  found=$(grep -nxF -- "$text" "$log" | head -n1 | cut -d: -f1)
  if [ -z "$found" ] || [ "$found" -le $previous ]; then
    fail "log: \"$text\" missing or out of order (line ${found:-none} after $previous)"
  fi
  previous=${found:-$previous}
done
[ "$(tail -n1 "$log")" = "Application exited successfully." ] && pass "log: start-up lines, the mark and the last line in order" ||
  fail "log ends with \"$(tail -n1 "$log")\""

# --- 3. With --timedemo it is a usage error. --------------------------------
run=$(make_run_dir both)
run_marked "$run" "$demo" --first-frame --timedemo 5
if [ $status -eq 2 ] && grep -q "give one of them" "$run/stderr.txt" && [ ! -e "$run/quorvel.log" ]; then
  pass "--first-frame with --timedemo: exit 2, no window"
else
  fail "--first-frame with --timedemo: exit $status, stderr $(head -c 300 "$run/stderr.txt")"
fi

echo
if [ $failures -eq 0 ]; then
  echo "start-up end-to-end: all checks passed"
  exit 0
fi
echo "start-up end-to-end: $failures check(s) failed"
exit 1
