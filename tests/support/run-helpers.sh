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
