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
