#!/usr/bin/env bash
# The helper scripts as a user runs them: scripts/xvfb.sh runs a command on a
# private virtual screen and hands back its exit code; scripts/install-deps.sh
# keeps what the demonstration needs apart from what only the tests need.
#
#   scripts-e2e.sh SOURCE_DIR
set -uo pipefail
source_dir=$1

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# --- xvfb.sh, executed ------------------------------------------------------
bash "$source_dir/scripts/xvfb.sh" sh -c 'test -n "$DISPLAY" && xwd -root -silent >/dev/null && exit 3'
[ $? -eq 3 ] || fail "xvfb.sh did not run the command on a screen of its own or lost its exit code"
size=$(QUORVEL_XVFB_SCREEN=800x600x24 bash "$source_dir/scripts/xvfb.sh" sh -c 'xwd -root -silent | convert xwd:- png:- | identify -format "%wx%h" png:-')
[ "$size" = "800x600" ] || fail "xvfb.sh did not make the asked screen size (got '$size')"
bash "$source_dir/scripts/xvfb.sh" 2>/dev/null
[ $? -eq 2 ] || fail "xvfb.sh without a command is not a usage error"
# Sourced, it still only defines its functions.
(. "$source_dir/scripts/xvfb.sh" && declare -F quorvel_start_xvfb >/dev/null && [ -z "${QUORVEL_XVFB_PID:-}" ]) ||
    fail "xvfb.sh sourced does not define its functions, or started a screen"

# --- install-deps.sh groups -------------------------------------------------
deps="$source_dir/scripts/install-deps.sh"
demo=$(bash "$deps" --list demo) || fail "install-deps.sh --list demo failed"
echo "$demo" | grep -q '^xvfb$' || fail "the demo group lacks xvfb"
if echo "$demo" | grep -E -q '^(wine|wine64|clang|g\+\+-mingw.*|libgtest-dev|libbenchmark-dev)$'; then
    fail "the demo group installs what only the tests need: $(echo "$demo" | tr '\n' ' ')"
fi
web=$(bash "$deps" --list web) || fail "install-deps.sh --list web failed"
echo "$web" | grep -q '^emscripten$' || fail "the web group lacks emscripten"
if echo "$demo" | grep -E -q '^(emscripten|chromium|python3-websocket)$'; then
    fail "the demo group installs what only the page and its tests need: $(echo "$demo" | tr '\n' ' ')"
fi
tests=$(bash "$deps" --list tests)
for p in $web chromium python3-websocket; do
    echo "$tests" | grep -qx "$p" || fail "the tests group lacks $p, which the page's tests need"
done
all=$(bash "$deps" --list all | sort)
union=$(for g in build demo tools tests windows sanitize; do bash "$deps" --list "$g"; done | sort -u)
[ "$all" = "$union" ] || fail "the group all is not the union of the groups"
[ "$(echo "$all" | uniq -d)" = "" ] || fail "the group all names a package twice"
bash "$deps" --list nonsense 2>/dev/null
[ $? -eq 2 ] || fail "an unknown group is not refused with exit code 2"
echo "PASS: xvfb.sh and install-deps.sh work as documented"
