#!/usr/bin/env bash
# scripts/web.sh as a user runs it, without building: a wrong command line is
# refused with the usage and exit code 2, and a port that something else
# listens on is named, with exit code 3, before any build starts.
#   web-script-e2e.sh SOURCE-DIR
set -uo pipefail
source_dir=$1
web="$source_dir/scripts/web.sh"
work=$(mktemp -d /tmp/quorvel-web-script.XXXXXX)
server_pid=""
trap '[ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null; rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
pass() { echo "ok: $*"; }

# A build folder of its own: nothing here may build into the user's build-web.
export QUORVEL_WEB_BUILD="$work/build-web"

while IFS= read -r args; do
  status=0
  # shellcheck disable=SC2086
  bash "$web" $args >"$work/out.txt" 2>"$work/err.txt" || status=$?
  if [ $status -eq 2 ] && grep -q -e "usage: bash scripts/web.sh" -e "the port must be" "$work/err.txt"; then
    pass "'$args': exit 2: $(head -n1 "$work/err.txt")"
  else
    fail "'$args': exit $status: $(cat "$work/err.txt")"
  fi
done <<'ARGS'
--bogus
--port
--port abc
--port 0
--port 70000
--build-only extra
ARGS

# A port in use: something listens there on 127.0.0.1.
port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
python3 -m http.server --bind 127.0.0.1 "$port" --directory "$work" >/dev/null 2>&1 &
server_pid=$!
for _ in $(seq 1 50); do
  python3 -c "import socket, sys; socket.create_connection(('127.0.0.1', $port), 1)" 2>/dev/null && break
  sleep 0.1
done
status=0
bash "$web" --port "$port" >"$work/out.txt" 2>"$work/err.txt" || status=$?
if [ $status -eq 3 ] && grep -q "port $port on 127.0.0.1 cannot be used" "$work/err.txt" &&
   grep -q -- "--port" "$work/err.txt" && [ ! -e "$QUORVEL_WEB_BUILD" ]; then
  pass "a port in use: exit 3, named, before building: $(head -n1 "$work/err.txt")"
else
  fail "a port in use: exit $status, build folder made: $([ -e "$QUORVEL_WEB_BUILD" ] && echo yes || echo no), $(cat "$work/err.txt")"
fi

echo
[ $failures -eq 0 ] && { echo "web.sh: all checks passed"; exit 0; }
echo "web.sh: $failures check(s) failed"
exit 1
