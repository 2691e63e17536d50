#!/usr/bin/env bash
# Running the benchmarks and the examples from the repository's own folder
# leaves the user's and the repository's files as they were: quorvel.conf is
# never rewritten, git sees no change, and the benchmarks leave no file at
# all there (an example writes only its log, quorvel.log, as any program on
# the engine does where it runs).
#
#   clean-root-e2e.sh SOURCE_DIR BENCH FRAME_BENCH SPINE SCENE_EXAMPLE
set -uo pipefail
source_dir=$1 bench=$2 frame_bench=$3 spine=$4 scene_example=$5
. "$(dirname "$0")/../support/run-helpers.sh"
cd "$source_dir" || exit 1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

config_sum() { sha256sum quorvel.conf 2>/dev/null || echo "no quorvel.conf"; }
git_state() { git status --porcelain 2>/dev/null || true; }
entries() { ls -A; }

config_before=$(config_sum)
git_before=$(git_state)
entries_before=$(entries)

check_unchanged() { # WHAT: after running WHAT
    [ "$(config_sum)" = "$config_before" ] || fail "$1 changed quorvel.conf"
    [ "$(git_state)" = "$git_before" ] || fail "$1 changed what git sees: $(diff <(echo "$git_before") <(git_state))"
}

# The benchmarks that bring the engine up, and one that does not.
"$bench" --benchmark_filter='BM_(CounterDrawSubmit|LevelTick)$' >/dev/null 2>"$work/bench.err" ||
    { cat "$work/bench.err" >&2; fail "quorvel-bench failed"; }
"$frame_bench" --benchmark_filter='levelFrame/builtin' >/dev/null 2>"$work/frame.err" ||
    { cat "$work/frame.err" >&2; fail "quorvel-frame-bench failed"; }
check_unchanged "a benchmark"
[ "$(entries)" = "$entries_before" ] ||
    fail "a benchmark left files in the repository's folder: $(diff <(echo "$entries_before") <(entries))"

# The examples, each closed by a signal (a close request) once it draws.
for example in "$spine" "$scene_example"; do
    "$example" >/dev/null 2>&1 &
    pid=$!
    sleep 3
    kill -TERM "$pid" 2>/dev/null
    wait_for_exit "$pid"
    kill -0 "$pid" 2>/dev/null && { kill -KILL "$pid"; fail "$(basename "$example") did not end on SIGTERM"; }
    check_unchanged "$(basename "$example")"
done
extra=$(comm -13 <(echo "$entries_before") <(entries) | grep -v '^quorvel.log$' || true)
[ -z "$extra" ] || fail "an example left files in the repository's folder: $extra"
echo "PASS: the repository's folder is as it was"
