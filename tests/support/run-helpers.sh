# Shell functions shared by the end-to-end scripts that start an engine
# program on a display, wait for it and check what it logged. Source it; it
# only defines functions.

# fail_with_log LOG MESSAGE...: prints "FAIL: MESSAGE" and, when the file LOG
# exists, the log after it (both to stderr), then exits with status 1.
fail_with_log() {
    local log=$1
    shift
    echo "FAIL: $*" >&2
    [ -f "$log" ] && { echo "log:" >&2; cat "$log" >&2; }
    exit 1
}

# wait_for_line FILE PATTERN PID [STEPS]: waits in steps of 0.1 s (100 unless
# STEPS says otherwise) until a line of FILE matches PATTERN or the process
# PID has ended.
wait_for_line() {
    local file=$1 pattern=$2 pid=$3 steps=${4:-100}
    for _ in $(seq 1 "$steps"); do
        grep -q "$pattern" "$file" 2>/dev/null && break
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
}

# wait_for_exit PID: waits up to 10 s, in steps of 0.1 s, until the process
# PID has ended. The caller checks whether it did.
wait_for_exit() {
    local pid=$1
    for _ in $(seq 1 100); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
}

# wine_close PID NAME: asks the Windows program NAME, run under Wine as the
# process PID (a child of the calling shell), to close as a user would:
# WM_CLOSE, which taskkill without /F posts to the top-level windows of the
# processes of that name. Two bounded waits come first, up to 30 s each:
#   - until the process shows a window on the display (Wine marks its X
#     windows with the process id): taskkill reports success even when it
#     finds no window to post to, so an earlier request would be lost;
#   - until taskkill finds the program. It looks a process up by the name of
#     its main module, read from the process's memory through the Wine
#     server, and a lookup that fails there reads as "no such process"; such
#     a run posts nothing, so asking again is safe. Each retry is noted on
#     stderr.
# Returns 0 once the request is posted. Otherwise sets wine_close_failure to
# the reason (the program ended first, showed no window, or taskkill never
# found it, with taskkill's own words) and returns 1.
wine_close() {
    local pid=$1 name=$2 output="" tries=0 deadline=$((SECONDS + 30))
    wine_close_failure=""
    until [ -n "$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null)" ]; do
        if ! kill -0 "$pid" 2>/dev/null; then
            wine_close_failure="$name ended before it showed a window"
            return 1
        fi
        if [ $SECONDS -ge $deadline ]; then
            wine_close_failure="$name showed no window on the display in 30 s"
            return 1
        fi
        sleep 0.1
    done
    deadline=$((SECONDS + 30))
    while :; do
        output=$(wine taskkill /IM "$name" 2>&1) && return 0
        output=${output//$'\r'/}
        tries=$((tries + 1))
        if ! kill -0 "$pid" 2>/dev/null; then
            wine_close_failure="$name ended before the close request (taskkill: $output)"
            return 1
        fi
        if [ $SECONDS -ge $deadline ]; then
            wine_close_failure="taskkill found no $name in $tries tries over 30 s while it runs (taskkill: $output)"
            return 1
        fi
        echo "note: taskkill did not find $name, try $tries (taskkill: $output); asking again" >&2
        sleep 0.5
    done
}

# windows_build ROOT BUILD [TARGET]: configures the MinGW-w64 cross-build of
# ROOT in BUILD (Release, warnings are errors) and builds TARGET (default:
# everything). On failure prints the first errors and warnings, returns 1.
windows_build() {
    local root=$1 build=$2 target=()
    [ -n "${3:-}" ] && target=(--target "$3")
    cmake -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
        -DCMAKE_BUILD_TYPE=Release -DQUORVEL_WERROR=ON >/dev/null || return 1
    cmake --build "$build" "${target[@]}" -j2 >/dev/null && return 0
    cmake --build "$build" "${target[@]}" -j1 2>&1 | grep -E 'error|warning' | head -20 >&2
    return 1
}

# wine_prefix WORK: exports a private 64-bit Wine prefix in WORK/wineprefix,
# made once and shared by every Windows run in WORK. Its windows are
# unmanaged, which avoids a stall of the window manager handshake on a display
# without one. Returns 1 when wineboot fails.
wine_prefix() {
    export WINEPREFIX="$1/wineprefix" WINEARCH=win64 WINEDEBUG=-all
    [ -f "$WINEPREFIX/.quorvel-ready" ] && return 0
    rm -rf "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || return 1
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.quorvel-ready"
}

# has_colour IMAGE X Y W H R G B: true when any pixel of the rectangle is
# within 40 of R G B on every channel. awk reads the whole listing, so no
# writer is cut short.
has_colour() {
    local image=$1 x=$2 y=$3 w=$4 h=$5 r=$6 g=$7 b=$8
    /usr/bin/convert "$image" -crop "${w}x${h}+${x}+${y}" +repage -depth 8 txt:- |
        awk -v r="$r" -v g="$g" -v b="$b" '
          NR > 1 && match($0, /\(([0-9]+),([0-9]+),([0-9]+)/) {
            split(substr($0, RSTART + 1, RLENGTH - 1), c, ",")
            if ((c[1]-r)^2 < 1600 && (c[2]-g)^2 < 1600 && (c[3]-b)^2 < 1600) found = 1
          }
          END { exit found ? 0 : 1 }'
}

# --- The demonstration's end-to-end scripts ---------------------------------
# They set demo (the program) and, to close it as a user would, close_tool
# (quorvel-close-window), then call e2e_begin.

# e2e_begin NAME: counts failures through fail and pass (the script ends with
# exit $((failures > 0))) and makes the scratch folder $work, removed at exit.
e2e_begin() {
    failures=0
    work=$(mktemp -d "/tmp/quorvel-$1.XXXXXX")
    trap 'rm -rf "$work"' EXIT
    fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
    pass() { echo "ok: $*"; }
}

# make_run_dir NAME [GRAPHICS-LINES [MORE]]: prints the path of a fresh run
# directory $work/NAME with data/ and the shipped quorvel.conf, or one of a
# [GraphicSystem] section of the given lines followed by MORE (printf %b).
make_run_dir() {
    local dir="$work/$1"
    mkdir -p "$dir"
    cp -r "$source_dir/data" "$dir/data"
    if [ $# -ge 2 ]; then
        printf '[GraphicSystem]\n%b%b' "$2" "${3:-}" >"$dir/quorvel.conf"
    else
        cp "$source_dir/quorvel.conf" "$dir/quorvel.conf"
    fi
    echo "$dir"
}

# launch DIR [ARG...]: starts the demonstration in DIR without waiting; its
# process is $demo_pid, its output DIR/stdout.txt and DIR/stderr.txt.
launch() {
    local dir=$1
    shift
    (trap - EXIT; cd "$dir" && exec "$demo" "$@" >"$dir/stdout.txt" 2>"$dir/stderr.txt") &
    demo_pid=$!
}

# start_demo DIR [ARG...]: starts it and waits up to 20 s for its main loop;
# false when it ended or did not get there.
start_demo() {
    launch "$@"
    wait_for_line "$1/quorvel.log" "Running main loop..." "$demo_pid" 200
    grep -q "Running main loop..." "$1/quorvel.log" 2>/dev/null
}

# report_stuck PID: what a process that should have ended and its children
# are doing (their states and, with gdb, every thread's stack), for the
# test's output.
report_stuck() {
    local pid
    for pid in "$1" $(pgrep -P "$1" 2>/dev/null); do
        ps -o pid=,stat=,wchan:24=,args= -p "$pid" 2>/dev/null
        command -v gdb >/dev/null 2>&1 &&
            timeout 30 gdb -p "$pid" -batch -nx -ex "thread apply all bt 20" 2>/dev/null | grep -E "^(Thread|#)"
    done
}

# finish: waits up to 10 s for the demonstration to end (then says what it
# was doing and kills it); its exit code goes to $status.
finish() {
    wait_for_exit "$demo_pid"
    if kill -0 "$demo_pid" 2>/dev/null; then
        echo "the demonstration did not end" >&2
        report_stuck "$demo_pid" >&2
        kill -KILL "$demo_pid" $(pgrep -P "$demo_pid" 2>/dev/null) 2>/dev/null
    fi
    status=0
    wait "$demo_pid" || status=$?
    demo_pid=""
}

# stop_demo: closes the demonstration's window as a user would (a signal when
# the window cannot be found) and returns its exit code.
stop_demo() {
    "$close_tool" "Quorvel Application" >/dev/null 2>&1 || kill -TERM "$demo_pid"
    finish
    return $status
}

# screenshot FILE: the whole screen.
screenshot() { xwd -root -silent | /usr/bin/convert xwd:- "$1"; }

# pixel IMAGE X Y: prints the pixel at (X, Y) as "R G B", 0..255.
pixel() {
    /usr/bin/convert "$1" -crop "1x1+$2+$3" -depth 8 txt:- |
        sed -n '2s/.*#\([0-9A-Fa-f]\{2\}\)\([0-9A-Fa-f]\{2\}\)\([0-9A-Fa-f]\{2\}\).*/\1 \2 \3/p' |
        { read -r r g b; printf '%d %d %d\n' "0x$r" "0x$g" "0x$b"; }
}

# --- The Windows runs under Wine --------------------------------------------

# fail_windows_run RUN MESSAGE...: prints "FAIL: MESSAGE", RUN/quorvel.log
# with its line ends shown and the end of RUN/wine.txt (all to stderr), then
# exits with status 1.
fail_windows_run() {
    local run=$1
    shift
    echo "FAIL: $*" >&2
    if [ -f "$run/quorvel.log" ]; then echo "log:" >&2; cat -A "$run/quorvel.log" >&2; fi
    [ -f "$run/wine.txt" ] && tail -20 "$run/wine.txt" >&2
    exit 1
}

# windows_ready ROOT WORK TARGET EXE TOOL...: what every Windows run needs
# first: a display, the tools named, the cross-build of TARGET in WORK/build
# (EXE is the program's path there) and the private Wine prefix in WORK.
# False, with the reason in $windows_failure, when any is missing.
windows_ready() {
    local root=$1 work=$2 target=$3 exe=$4 tool
    shift 4
    windows_failure=""
    [ -n "${DISPLAY:-}" ] || { windows_failure="no DISPLAY"; return 1; }
    for tool in x86_64-w64-mingw32-g++-posix wine "$@"; do
        command -v "$tool" >/dev/null || { windows_failure="$tool is not installed"; return 1; }
    done
    windows_build "$root" "$work/build" "$target" || { windows_failure="the Windows build of $target failed"; return 1; }
    [ -f "$work/build/$exe" ] || { windows_failure="no $work/build/$exe"; return 1; }
    # Unmanaged windows avoid a stall of the window manager handshake on a
    # display without one.
    wine_prefix "$work" || { windows_failure="wineboot failed"; return 1; }
}

# new_run_dir DIR: DIR made anew, empty, and the working directory.
new_run_dir() {
    rm -rf "$1"
    mkdir -p "$1"
    cd "$1" || exit 1
}
