#!/usr/bin/env bash
# The timedemo end to end: the real demonstration binary walks its recorded
# path, prints its one result line and saves its last frame; bad command
# lines get the usage text and exit code 2 without opening a window.
#   timedemo-e2e.sh DEMO-BINARY CLOSE-WINDOW-TOOL SOURCE-DIR
# Needs DISPLAY (an Xvfb screen of 1024x768x24, as the test command starts).
set -uo pipefail
demo=$1
close_tool=$2
source_dir=$3

. "$source_dir/tests/support/run-helpers.sh"
e2e_begin timedemo

# Runs the demonstration in a run directory with arguments; output in
# stdout.txt and stderr.txt there, the exit code in $status.
run_demo() {
  local dir=$1
  shift
  status=0
  (cd "$dir" && timeout 120 "$demo" "$@" >"$dir/stdout.txt" 2>"$dir/stderr.txt") || status=$?
}


# --- 1. Bad command lines: usage on stderr, exit 2, no window, no log. ------
run=$(make_run_dir usage)
while IFS= read -r args; do
  # shellcheck disable=SC2086
  run_demo "$run" $args
  if [ $status -eq 2 ] && grep -q "^usage: quorvel-demo" "$run/stderr.txt" && [ ! -s "$run/stdout.txt" ] &&
     [ ! -e "$run/quorvel.log" ]; then
    pass "'$args': exit 2 with the usage text ($(head -n1 "$run/stderr.txt"))"
  else
    fail "'$args': exit $status, stderr: $(head -c 300 "$run/stderr.txt"), log exists: $([ -e "$run/quorvel.log" ] && echo yes || echo no)"
  fi
done <<'ARGS'
--bogus
--timedemo abc
--timedemo 0
--timedemo -3
--shot x.png
--timedemo --shot
--timedemo 10 --shot picture.jpg
ARGS
run_demo "$run" --help
[ $status -eq 0 ] && grep -q -- "--timedemo \[FRAMES\]" "$run/stdout.txt" && pass "--help prints the usage, exit 0" ||
  fail "--help: exit $status"

# --- 2. A timedemo with vsync asked for in quorvel.conf, and its picture. ---
frames=150
run=$(make_run_dir timed)
printf '[GraphicSystem]\nwidth=1024\nheight=768\nbpp=32\nvsync=on\n' >"$run/quorvel.conf"
run_demo "$run" --timedemo $frames --shot shot.png
[ $status -eq 0 ] && pass "timedemo: exit 0" || fail "timedemo: exit $status: $(cat "$run/stderr.txt")"
lines=$(wc -l <"$run/stdout.txt")
line=$(head -n1 "$run/stdout.txt")
pattern='^timedemo: ([0-9]+) frames in ([0-9]+\.[0-9]{2}) s, ([0-9]+\.[0-9]) fps, frame ms min ([0-9]+\.[0-9]) median ([0-9]+\.[0-9]) p99 ([0-9]+\.[0-9]) max ([0-9]+\.[0-9])$'
if [ "$lines" -eq 1 ] && [[ $line =~ $pattern ]]; then
  pass "one result line: $line"
  n=${BASH_REMATCH[1]} s=${BASH_REMATCH[2]} fps=${BASH_REMATCH[3]}
  min=${BASH_REMATCH[4]} med=${BASH_REMATCH[5]} p99=${BASH_REMATCH[6]} max=${BASH_REMATCH[7]}
  [ "$n" -eq $frames ] && pass "$frames frames counted" || fail "$n frames counted, $frames asked for"
  # Positive and consistent: the rate is frames / seconds (within the
  # rounding of the printed seconds and rate), the order statistics are in order, and
  # the total lies between frames * min and frames * max.
  if awk -v n="$n" -v s="$s" -v fps="$fps" -v min="$min" -v med="$med" -v p99="$p99" -v max="$max" 'BEGIN {
       ok = s > 0 && fps > 0 && max > 0
       ok = ok && n / (s + 0.005) <= fps + 0.05 && fps - 0.05 <= n / (s - 0.005)
       ok = ok && min <= med && med <= p99 && p99 <= max
       ok = ok && n * (min - 0.05) / 1000 <= s + 0.005 && s - 0.005 <= n * (max + 0.05) / 1000
       exit ok ? 0 : 1 }'; then
    pass "the figures are positive and consistent"
  else
    fail "the figures do not add up: $line"
  fi
else
  fail "expected one result line, got $lines: $(head -c 500 "$run/stdout.txt")"
fi
log="$run/quorvel.log"
if grep -qxF -- "$line" "$log" && [ "$(tail -n1 "$log")" = "Application exited successfully." ]; then
  pass "the result line is in the log, before the last line"
else
  fail "log: $(tail -n4 "$log")"
fi
order=$(grep -nxF -e "Application terminated" -e "$line" -e "Application exited successfully." "$log" | cut -d: -f1 | tr '\n' ' ')
echo "$order" | awk '{ exit (NF == 3 && $1 < $2 && $2 < $3) ? 0 : 1 }' &&
  pass "log order: terminated, result, exited" || fail "log order: $order"

shot="$run/shot.png"
if [ -f "$shot" ] && [ "$(/usr/bin/identify -format '%w x %h' "$shot")" = "1024 x 768" ]; then
  pass "the last frame is saved, 1024 x 768"
  # Top row first: sky at the top, floor at the bottom, the minimap's grey
  # background in the top-right corner over the open cell (3, 3).
  read -r r g b <<<"$(pixel "$shot" 300 40)"
  [ $b -gt 120 ] && [ $b -ge $r ] && pass "sky at the top of the picture ($r $g $b)" || fail "no sky at (300, 40): $r $g $b"
  read -r r g b <<<"$(pixel "$shot" 300 740)"
  [ $g -gt 60 ] && [ $(( (r - b) * (r - b) )) -lt 2500 ] && pass "floor at the bottom ($r $g $b)" ||
    fail "no floor at (300, 740): $r $g $b"
  [ "$(pixel "$shot" 929 51)" = "128 128 128" ] && pass "minimap at the top right" ||
    fail "minimap not at (929, 51): $(pixel "$shot" 929 51)"
else
  fail "no 1024 x 768 picture at $shot"
fi

# --- 3. The same frames every run, and the same picture in both orders. -----
# The counter's digits (the measured rate) are left out of the comparison.
run2=$(make_run_dir timed-again)
run_demo "$run2" --timedemo $frames --shot shot.png --sky-first
[ $status -eq 0 ] && pass "sky-first timedemo: exit 0" || fail "sky-first timedemo: exit $status"
picture() { /usr/bin/convert "$1" -crop 1024x740+0+0 +repage -depth 8 rgb:- | md5sum | cut -d' ' -f1; }
if [ -f "$run2/shot.png" ] && [ -f "$shot" ] && [ "$(picture "$shot")" = "$(picture "$run2/shot.png")" ]; then
  pass "the last frame is identical in both drawing orders, run after run"
else
  fail "the last frames differ: $(/usr/bin/compare -metric AE "$shot" "$run2/shot.png" null: 2>&1)"
fi

# A web page's query asks for the same timedemo: the same line, the same frames.
run3=$(make_run_dir timed-query)
run_demo "$run3" --query "timedemo=$frames&sky-first" --shot shot.png
if [ $status -eq 0 ] && grep -q "^timedemo: $frames frames" "$run3/stdout.txt" && [ -f "$run3/shot.png" ] &&
   [ "$(picture "$shot")" = "$(picture "$run3/shot.png")" ]; then
  pass "--query 'timedemo=$frames&sky-first': the same timedemo and last frame"
else
  fail "--query timedemo: exit $status, stdout $(cat "$run3/stdout.txt"), stderr $(cat "$run3/stderr.txt")"
fi

# --- 4. A picture that cannot be written: the result, then exit 1. ---------
run=$(make_run_dir noshot)
run_demo "$run" --timedemo 5 --shot missing/shot.png
if [ $status -eq 1 ] && grep -q "^timedemo: 5 frames" "$run/stdout.txt" &&
   grep -q "cannot write 'missing/shot.png'" "$run/stderr.txt" "$run/quorvel.log"; then
  pass "unwritable picture: the result is printed, the failure named, exit 1"
else
  fail "unwritable picture: exit $status, stdout $(cat "$run/stdout.txt"), stderr $(cat "$run/stderr.txt")"
fi

# --- 5. Closed before the end: no result, exit 1. ---------------------------
run=$(make_run_dir closed)
(cd "$run" && exec "$demo" --timedemo 1000000 >"$run/stdout.txt" 2>"$run/stderr.txt") &
pid=$!
for _ in $(seq 1 200); do
  grep -q "Running main loop..." "$run/quorvel.log" 2>/dev/null && break
  kill -0 $pid 2>/dev/null || break
  sleep 0.1
done
sleep 0.5
# Without a window manager the window is a plain one that covers the screen.
geometry=$(xdotool search --name "^Quorvel Application$" getwindowgeometry 2>/dev/null | tr -s ' ' | tr '\n' ' ')
[[ $geometry == *"Position: 0,0 "*"Geometry: 1024x768"* ]] && pass "the window covers the screen: $geometry" ||
  fail "the window does not cover the screen: $geometry"
"$close_tool" "Quorvel Application" >/dev/null || kill -TERM $pid
for _ in $(seq 1 100); do
  kill -0 $pid 2>/dev/null || break
  sleep 0.1
done
kill -0 $pid 2>/dev/null && { kill -KILL $pid; fail "closed timedemo did not end"; }
status=0
wait $pid || status=$?
if [ $status -eq 1 ] && [ ! -s "$run/stdout.txt" ] && grep -q "timedemo: stopped after [0-9]* of 1000000 frames" "$run/stderr.txt" &&
   ! grep -q "Application exited successfully." "$run/quorvel.log"; then
  pass "closed early: no result line, the reason on stderr, exit 1"
else
  fail "closed early: exit $status, stdout $(cat "$run/stdout.txt"), stderr $(cat "$run/stderr.txt")"
fi

echo
if [ $failures -eq 0 ]; then
  echo "timedemo end-to-end: all checks passed"
  exit 0
fi
echo "timedemo end-to-end: $failures check(s) failed"
exit 1
