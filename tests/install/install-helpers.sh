# Shell functions shared by the installation tests: running an installed
# program on the test command's display and checking what it shows and logs.
# Source it after tests/support/run-helpers.sh; it defines functions only.
# The caller defines fail MESSAGE... (prints and exits non-zero).

screenshot() { xwd -root -silent | /usr/bin/convert xwd:- "$1" || fail "no screenshot"; }


# close_and_wait PID CLOSE-TOOL: asks the window to close, waits for the
# program and fails unless it ended with exit code 0.
close_and_wait() {
    local pid=$1 close=$2 status=0
    "$close" "Quorvel Application" >/dev/null || { kill "$pid"; fail "no window to close"; }
    wait_for_exit "$pid"
    kill -0 "$pid" 2>/dev/null && { kill -KILL "$pid"; fail "the program did not end after the close request"; }
    wait "$pid" || status=$?
    [ $status -eq 0 ] || fail "exit code $status after the close request, expected 0"
}

# check_installed_demo DEMO CONTENT CLOSE-TOOL RUNDIR: runs an installed
# demonstration in RUNDIR, an empty directory, and checks that it used the
# content in CONTENT (logged first, the log in RUNDIR), drew the level with
# its minimap, counter and crosshair, and ends with exit code 0 on close.
check_installed_demo() {
    local demo=$1 content=$2 close=$3 run=$4
    rm -rf "$run"
    mkdir -p "$run"
    (cd "$run" && exec "$demo" >stdout.txt 2>stderr.txt) &
    local pid=$!
    wait_for_line "$run/quorvel.log" "Running main loop..." $pid 200
    if ! grep -q "Running main loop..." "$run/quorvel.log" 2>/dev/null; then
        kill -KILL $pid 2>/dev/null
        fail "the installed demonstration did not reach its main loop: $(cat "$run/quorvel.log" "$run/stderr.txt" 2>/dev/null)"
    fi
    sleep 1.5
    screenshot "$run/shot.png"
    close_and_wait $pid "$close"

    local expected
    expected="Using the installed content in $(cd "$content" && pwd -P)/"
    [ "$(head -n 1 "$run/quorvel.log")" = "$expected" ] ||
        fail "first log line \"$(head -n 1 "$run/quorvel.log")\", expected \"$expected\""
    ! grep -q "load failed\|missing" "$run/quorvel.log" || fail "the demonstration did not find all its content: $(cat "$run/quorvel.log")"
    [ "$(tail -n 1 "$run/quorvel.log")" = "Application exited successfully." ] || fail "the log does not end as it should"
    [ ! -e "$content/quorvel.log" ] || fail "the log went to the content directory"
    # The minimap's grey background and an orange solid cell, the white counter
    # digits (the installed font) and the crosshair.
    has_colour "$run/shot.png" 879 2 6 6 128 128 128 || fail "no minimap"
    has_colour "$run/shot.png" 896 76 8 8 178 102 0 || fail "no solid cell on the minimap"
    has_colour "$run/shot.png" 480 750 64 18 255 255 255 || fail "no frames-per-second counter (font not loaded)"
    has_colour "$run/shot.png" 502 383 8 3 255 255 255 || fail "no crosshair"
}

# installed_programs SOURCE BUILD [SUFFIX]: the file names of the programs an
# installation holds, one a line, sorted: quorvel-demo and every program built
# under BUILD/tools except those the install rule keeps for the build and the
# tests (QUORVEL_TOOLS_NOT_INSTALLED in SOURCE/cmake/QuorvelInstall.cmake),
# each with SUFFIX (.exe for a Windows build). A new tool needs no change here.
installed_programs() {
    local source=$1 build=$2 suffix=${3:-} kept program name
    kept=$(sed -n 's/^set(QUORVEL_TOOLS_NOT_INSTALLED \(.*\))$/\1/p' "$source/cmake/QuorvelInstall.cmake")
    [ -n "$kept" ] || fail "cmake/QuorvelInstall.cmake sets no QUORVEL_TOOLS_NOT_INSTALLED"
    {
        echo "quorvel-demo$suffix"
        for program in "$build"/tools/*/quorvel-*"$suffix"; do
            [ -f "$program" ] && [ -x "$program" ] || continue
            name=$(basename "$program")
            [[ " $kept " == *" ${name%"$suffix"} "* ]] || echo "$name"
        done
    } | sort
}
