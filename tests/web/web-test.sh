#!/usr/bin/env bash
# Runs one of the page's browser tests with a Python that has the websocket
# module (Debian's python3-websocket; the python3 first on PATH may be
# another installation without it).
#   web-test.sh SCRIPT.py ARGUMENT...
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
for python in python3 /usr/bin/python3; do
  if "$python" -c 'import websocket' 2>/dev/null; then
    exec "$python" "$here/$1" "${@:2}"
  fi
done
echo "FAIL: no Python with the websocket module (bash scripts/install-deps.sh tests installs python3-websocket)" >&2
exit 1
