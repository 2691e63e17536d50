#!/usr/bin/env bash
# scripts/demo.sh keeps what the user put in its run directory: a second
# preparation keeps an edited quorvel.conf and a level of the user's own in
# data/, and refreshes the shipped content (a damaged shipped file comes back).
#
#   demo-run-dir-e2e.sh SOURCE_DIR
set -uo pipefail
source_dir=$1
run=$(mktemp -d)
trap 'rm -rf "$run"' EXIT
export QUORVEL_DEMO_RUN="$run/demo-run"

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

first=$(bash "$source_dir/scripts/demo.sh" --prepare-only) || fail "the first preparation failed"
echo "$first" | grep -q "^Created .*quorvel.conf" || fail "the first preparation did not say it created quorvel.conf: $first"
cmp -s "$source_dir/quorvel.conf" "$QUORVEL_DEMO_RUN/quorvel.conf" || fail "the first quorvel.conf is not the shipped one"
diff -r "$source_dir/data" "$QUORVEL_DEMO_RUN/data" >/dev/null || fail "the first data/ is not the shipped one"

# The user's own settings and level; a shipped file damaged.
printf '[GraphicSystem]\nfullscreen = off\nwidth = 800\nheight = 600\nbpp = 32\n[Level]\nfile = levels/mine.lvl\n' \
    >"$QUORVEL_DEMO_RUN/quorvel.conf"
printf 'S..\n.#.\n...\n' >"$QUORVEL_DEMO_RUN/data/levels/mine.lvl"
cp "$QUORVEL_DEMO_RUN/quorvel.conf" "$run/mine.conf"
echo "damaged" >"$QUORVEL_DEMO_RUN/data/levels/maze32.lvl"

second=$(bash "$source_dir/scripts/demo.sh" --prepare-only) || fail "the second preparation failed"
echo "$second" | grep -q "^Keeping your settings" || fail "the second preparation did not say it kept the settings: $second"
cmp -s "$run/mine.conf" "$QUORVEL_DEMO_RUN/quorvel.conf" || fail "the user's quorvel.conf was replaced"
[ "$(cat "$QUORVEL_DEMO_RUN/data/levels/mine.lvl")" = "$(printf 'S..\n.#.\n...')" ] || fail "the user's level is gone or changed"
cmp -s "$source_dir/data/levels/maze32.lvl" "$QUORVEL_DEMO_RUN/data/levels/maze32.lvl" ||
    fail "the shipped content was not refreshed"

bash "$source_dir/scripts/demo.sh" --bogus 2>/dev/null
[ $? -eq 2 ] || fail "an unknown option is not refused with exit code 2"
echo "PASS: the run directory keeps the user's settings and levels"
