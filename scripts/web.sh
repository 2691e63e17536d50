#!/usr/bin/env bash
# Builds Quorvel for the browser and serves the page.
#
# Installs what is missing (emscripten), configures and builds the page with
# emscripten into build-web/ (the page itself in build-web/site/: index.html,
# the script, the WebAssembly and the packaged data), then serves
# build-web/site on http://127.0.0.1:8080/ until Ctrl+C. Any static web
# server can serve that folder; the page does not run from a file:// address.
#
#   web.sh [--port N] [--build-only]
#     --port N       serve on port N instead of 8080
#     --build-only   build, do not serve
# QUORVEL_WEB_BUILD=DIR builds in DIR instead of build-web.
#
# Exit codes: 0 built (and served until stopped), 1 the build failed,
# 2 a wrong command line, 3 the port cannot be used.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build="${QUORVEL_WEB_BUILD:-$root/build-web}"
port=8080
serve=true

usage() {
  echo "usage: bash scripts/web.sh [--port N] [--build-only]" >&2
  exit 2
}

while [ $# -gt 0 ]; do
  case "$1" in
  --port)
    [ $# -ge 2 ] || usage
    port=$2
    shift 2
    ;;
  --port=*)
    port=${1#--port=}
    shift
    ;;
  --build-only)
    serve=false
    shift
    ;;
  *) usage ;;
  esac
done
if ! [[ $port =~ ^[0-9]{1,5}$ ]] || [ "$port" -lt 1 ] || [ "$port" -gt 65535 ]; then
  echo "web.sh: the port must be a number from 1 to 65535, not '$port'" >&2
  exit 2
fi

# True when nothing listens on the port on 127.0.0.1 and we may bind it.
port_free() {
  python3 - "$1" <<'PY'
import socket, sys
s = socket.socket()
try:
    s.bind(("127.0.0.1", int(sys.argv[1])))
except OSError as e:
    print(e.strerror or e, file=sys.stderr)
    sys.exit(1)
PY
}

port_taken() {
  echo "web.sh: port $port on 127.0.0.1 cannot be used ($1)." >&2
  echo "Stop what uses it, or pick another port: bash scripts/web.sh --port 8081" >&2
  exit 3
}

bash scripts/install-deps.sh web

# Said before building, so a taken port costs no build.
if $serve; then
  reason=$(port_free "$port" 2>&1) || port_taken "$reason"
fi

if ! command -v emcmake >/dev/null; then
  echo "web.sh: emscripten (emcmake) is not installed; bash scripts/install-deps.sh web installs it" >&2
  exit 1
fi
# Debian's emscripten runs its optimiser under node, which finds its modules there.
export NODE_PATH="${NODE_PATH:-/usr/share/nodejs}"

mkdir -p "$build"
log="$build/build-output.txt"
echo "Configuring and building the page in $build"
echo "(the first build takes several minutes; later ones only what changed)..."
if ! emcmake cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release >"$log" 2>&1; then
  echo "web.sh: configuring the web build failed:" >&2
  grep -E -i -A3 'error' "$log" | head -40 >&2 || tail -40 "$log" >&2
  echo "(the whole output: $log)" >&2
  exit 1
fi
# CMake's own progress lines show how far the build is; everything goes to the log.
status_file="$build/build-status.txt"
{ status=0; cmake --build "$build" --target quorvel-demo -j"$(nproc)" || status=$?; echo $status >"$status_file"; } 2>&1 |
  tee -a "$log" | { grep --line-buffered -E '^\[ *[0-9]+%\]' || true; } | sed -u 's/ Building CXX object / compiling /'
if [ "$(cat "$status_file")" != "0" ]; then
  echo "web.sh: the web build failed:" >&2
  grep -E -A5 'error|Error' "$log" | head -60 >&2 || tail -40 "$log" >&2
  echo "(the whole output: $log)" >&2
  exit 1
fi
site="$build/site"
if [ ! -f "$site/index.html" ]; then
  echo "web.sh: the build ended but made no $site/index.html (the whole output: $log)" >&2
  exit 1
fi
echo "The page is built: $site"

$serve || exit 0

reason=$(port_free "$port" 2>&1) || port_taken "$reason"
echo "Serving Quorvel on http://127.0.0.1:$port/ (Ctrl+C stops)"
cd "$site"
exec python3 -m http.server --bind 127.0.0.1 "$port"
