#!/usr/bin/env bash
# Runs the demonstration with level files, as a user would: a generated maze
# (its minimap cell by cell, walking into a wall, a stall while walking), each
# sample level in data/levels, and unusable files, which must leave the
# demonstration running on the built-in level with one log line; then a level
# named on the command line (--level) and in a web page's query (--query).
#   level-e2e.sh DEMO-BINARY LEVELGEN-BINARY CLOSE-WINDOW-TOOL SOURCE-DIR
# Needs DISPLAY (an Xvfb screen of 1024x768x24, as the test command starts).
set -uo pipefail
demo=$1
levelgen=$2
close_tool=$3
source_dir=$4
. "$source_dir/tests/support/run-helpers.sh"

e2e_begin level-e2e

# A fresh run directory: the data, and a quorvel.conf for the test screen
# naming the level file (none when LEVEL is empty).
level_run_dir() { # level_run_dir NAME LEVEL
  local level=""
  [ -n "$2" ] && level="\n[Level]\nfile = $2\n"
  make_run_dir "$1" 'width = 1024\nheight = 768\nbpp = 32\nvsync = off\n' "$level"
}


# Compares the minimap in IMAGE with LEVEL cell by cell: the pixel at each
# cell's middle must be orange for '#' and grey otherwise. The map's box is a
# seventh of the 1024-pixel width for the level's larger side, in the top
# right corner. Cells within 10 pixels of the start (the heading line) are
# skipped. Prints the number of cells that differ (and the first few).
minimap_mismatches() {
  local image=$1 level=$2
  /usr/bin/convert "$image" -crop "160x160+864+0" +repage -depth 8 txt:- |
    awk -v left=864 '
      FNR == NR {
        if ($0 ~ /^;/) next
        sub(/\r$/, "")
        rows[n++] = $0
        if (length($0) > w) w = length($0)
        next
      }
      FNR > 1 && match($0, /^[0-9]+,[0-9]+:/) {
        split(substr($0, 1, RLENGTH - 1), xy, ",")
        match($0, /\(([0-9]+),([0-9]+),([0-9]+)/)
        pixel[(xy[1] + left) "," xy[2]] = substr($0, RSTART + 1, RLENGTH - 1)
      }
      END {
        while (n > 0 && rows[n - 1] == "") n--
        side = (w > n ? w : n)
        s = 1024 / (7 * side)
        ox = 1024 - s * w
        si = 0; sj = 0
        for (j = 0; j < n; j++) { k = index(rows[j], "S"); if (k > 0) { si = k - 1; sj = j } }
        scx = ox + (si + 0.5) * s; scy = (sj + 0.5) * s
        bad = 0
        for (j = 0; j < n; j++) {
          for (i = 0; i < w; i++) {
            cx = ox + (i + 0.5) * s; cy = (j + 0.5) * s
            if ((cx - scx)^2 + (cy - scy)^2 < 100) continue
            solid = substr(rows[j], i + 1, 1) == "#"
            split(pixel[int(cx) "," int(cy)], c, ",")
            if (solid) ok = (c[1] - 178)^2 <= 9 && (c[2] - 102)^2 <= 9 && c[3] <= 3
            else ok = (c[1] - 128)^2 <= 9 && (c[2] - 128)^2 <= 9 && (c[3] - 128)^2 <= 9
            if (!ok) {
              if (bad < 5) printf "cell %d, %d (%s) shows %s,%s,%s\n", i, j, solid ? "solid" : "open", c[1], c[2], c[3] > "/dev/stderr"
              bad++
            }
          }
        }
        print bad
      }' "$level" -
}

focus_demo() { xdotool search --name "Quorvel" windowfocus 2>/dev/null; }

# --- 1. A generated maze: minimap, walking into a wall, a stall. ----------
# Seed 2 gives a 15 x 15 maze whose first column reads S, ., ., #: walking
# forward (down the map) from the start meets the wall of cell (0, 3).
run=$(level_run_dir maze "levels/e2e-maze.lvl")
"$levelgen" --maze 15x15 --seed 2 "$run/data/levels/e2e-maze.lvl" || fail "quorvel-levelgen --maze failed"
[ "$(cut -c1 "$run/data/levels/e2e-maze.lvl" | head -n 4 | tr -d '\n')" = "S..#" ] ||
  fail "the maze's first column is not S, ., ., # as this test expects"
if start_demo "$run"; then
  pass "the demonstration starts with a generated maze"
  grep -q "^Level file data/levels/e2e-maze.lvl: 15 x 15 cells$" "$run/quorvel.log" && pass "the log names the level" ||
    fail "no log line for the level: $(grep -i level "$run/quorvel.log")"
  sleep 1.5
  screenshot "$run/start.png"
  bad=$(minimap_mismatches "$run/start.png" "$run/data/levels/e2e-maze.lvl")
  [ "$bad" = 0 ] && pass "the minimap shows the maze, cell by cell" || fail "$bad minimap cells differ from the maze"
  # 1024 / 105 = 9.75 pixels a cell from x = 877.7: the start cell's middle
  # is at (882.6, 4.9); the heading runs down from there.
  has_colour "$run/start.png" 879 2 8 10 255 0 0 && pass "heading line at the start cell" ||
    fail "no red heading line at the start cell"

  # Walk forward for 3 s (150 units; the wall is 40 away): the player stops
  # short of the wall at y = 29.3 and the line stays above it.
  focus_demo
  xdotool keydown w; sleep 3
  screenshot "$run/walked.png"
  # Stop the process for 0.6 s with the key still held: the next tick
  # carries some 30 periods, which must not carry the player through.
  kill -STOP $demo_pid; sleep 0.6; kill -CONT $demo_pid; sleep 1
  xdotool keyup w; sleep 0.5
  screenshot "$run/stalled.png"
  for shot in walked stalled; do
    if has_colour "$run/$shot.png" 879 20 8 13 255 0 0 && ! has_colour "$run/$shot.png" 876 35 14 110 255 0 0; then
      pass "$shot: the player stands before the wall of cell (0, 3)"
    else
      fail "$shot: the heading line is not just before the wall of cell (0, 3)"
    fi
  done
  if stop_demo; then pass "exit code 0"; else fail "exit code $? after close"; fi
else
  fail "the demonstration did not reach its main loop with a generated maze"
  cat "$run/quorvel.log" "$run/stderr.txt" 2>/dev/null
  kill -KILL $demo_pid 2>/dev/null
fi

# --- 2. Every sample level. ------------------------------------------------
for sample in builtin maze32 maze128; do
  run=$(level_run_dir "$sample" "levels/$sample.lvl")
  if start_demo "$run"; then
    sleep 1.5
    screenshot "$run/start.png"
    size=$(head -c 100000 "$run/data/levels/$sample.lvl" | awk '!/^;/ { if (length($0) > w) w = length($0); h++ } END { print w " x " h }')
    grep -q "^Level file data/levels/$sample.lvl: $size cells$" "$run/quorvel.log" &&
      pass "$sample: logged as $size cells" || fail "$sample: no log line \"$size cells\""
    bad=$(minimap_mismatches "$run/start.png" "$run/data/levels/$sample.lvl")
    [ "$bad" = 0 ] && pass "$sample: the minimap shows the level" || fail "$sample: $bad minimap cells differ"
    # The level itself: sky above the horizon, floor below it.
    has_colour "$run/start.png" 100 600 800 80 255 255 255 && fail "$sample: white below the horizon" || true
    if stop_demo; then pass "$sample: exit code 0"; else fail "$sample: exit code $? after close"; fi
  else
    fail "$sample: the demonstration did not reach its main loop"
    cat "$run/quorvel.log" 2>/dev/null
    kill -KILL $demo_pid 2>/dev/null
  fi
done

# --- 3. Unusable files: one log line, then the built-in level. -------------
check_refused() {
  local name=$1 expected=$2
  local run
  run=$(level_run_dir "bad-$name" "levels/$name")
  case $name in
    binary.lvl) cp "$source_dir/data/floor.glt" "$run/data/levels/$name" ;;
    missing.lvl) ;;
    *) printf '%b' "$3" >"$run/data/levels/$name" ;;
  esac
  if start_demo "$run"; then
    sleep 1
    screenshot "$run/start.png"
    local lines
    lines=$(grep -c "^Level file data/levels/$name " "$run/quorvel.log")
    if [ "$lines" = 1 ] && grep "^Level file data/levels/$name " "$run/quorvel.log" | grep -F -- "$expected" |
       grep -q "; using the built-in level$"; then
      pass "$name: one log line naming the file, line and reason"
    else
      fail "$name: log says: $(grep "Level file" "$run/quorvel.log")"
    fi
    bad=$(minimap_mismatches "$run/start.png" "$source_dir/data/levels/builtin.lvl")
    [ "$bad" = 0 ] && pass "$name: the built-in level is shown" || fail "$name: the minimap is not the built-in level"
    if stop_demo; then pass "$name: exit code 0"; else fail "$name: exit code $? after close"; fi
  else
    fail "$name: the demonstration did not reach its main loop"
    cat "$run/quorvel.log" 2>/dev/null
    kill -KILL $demo_pid 2>/dev/null
  fi
}
check_refused missing.lvl "line 1: the file cannot be opened"
check_refused binary.lvl "line 1: unknown character 'G' in column 1"
check_refused two-starts.lvl "line 3: a second start 'S' (the first is on line 2)" '; two\r\n.S\r\nS.\r\n'

# --- 4. --level and --query name the level over the configuration's. -------
# check_option NAME CONFIG-LEVEL EXPECTED-LEVEL LOG-LINE ARG...: the demo runs
# in EXPECTED-LEVEL's minimap with LOG-LINE (a fixed string) in its log.
check_option() {
  local name=$1 configured=$2 expected=$3 line=$4
  shift 4
  local run
  run=$(level_run_dir "option-$name" "$configured")
  if start_demo "$run" "$@"; then
    sleep 1.5
    screenshot "$run/start.png"
    grep -qxF -- "$line" "$run/quorvel.log" && pass "$name: the log says \"$line\"" ||
      fail "$name: no log line \"$line\": $(grep -i -e level -e query "$run/quorvel.log")"
    bad=$(minimap_mismatches "$run/start.png" "$source_dir/data/levels/$expected")
    [ "$bad" = 0 ] && pass "$name: the minimap shows $expected" || fail "$name: $bad minimap cells differ from $expected"
    if stop_demo; then pass "$name: exit code 0"; else fail "$name: exit code $? after close"; fi
  else
    fail "$name: the demonstration did not reach its main loop"
    cat "$run/quorvel.log" "$run/stderr.txt" 2>/dev/null
    kill -KILL $demo_pid 2>/dev/null
  fi
}
check_option level levels/maze128.lvl maze32.lvl "Level file data/levels/maze32.lvl: 32 x 32 cells" \
  --level levels/maze32.lvl
check_option query levels/maze128.lvl maze32.lvl "Level file data/levels/maze32.lvl: 32 x 32 cells" \
  --query 'level=levels%2Fmaze32.lvl&sky-first'
check_option query-outside "" builtin.lvl \
  'Level file data/../quorvel.conf line 1: the name has a ".." part; a level file is named inside the data directory; using the built-in level' \
  --query 'level=../quorvel.conf'
# A query that cannot be used is left out whole (the configuration's level
# stays), said on standard error and in the log; the program runs on.
bad_query="unknown query parameter 'colour=red' (known: level=PATH, timedemo[=FRAMES], sky-first)"
check_option query-bad levels/maze32.lvl maze32.lvl "Query: $bad_query; running without the query" \
  --query 'level=levels/maze128.lvl&colour=red'
grep -qxF "quorvel-demo: $bad_query; running without the query" "$work/option-query-bad/stderr.txt" &&
  pass "query-bad: standard error names the parameter" ||
  fail "query-bad: standard error says: $(cat "$work/option-query-bad/stderr.txt")"

echo "$failures failure(s)"
[ $failures = 0 ]
