#!/usr/bin/env bash
# Installs the Debian packages that a part of the work needs, when any is
# missing. Idempotent and quiet when everything is already there.
#
#   install-deps.sh GROUP...       install what the groups need (default: all)
#   install-deps.sh --list GROUP   print the group's packages, one a line
#   install-deps.sh --have GROUP   exit 0 when every package of the group is installed
#
# Groups:
#   build     compiler, CMake and the libraries the engine links
#   demo      build, plus the virtual screen and the tools of the headless run
#   tools     the font tool's FreeType and the font it rasterises
#   web       emscripten, to build the page that runs Quorvel in a browser, and
#             Python to serve it (scripts/web.sh)
#   tests     GoogleTest, Google Benchmark, the programs the tests drive, and
#             the web group with the headless browser that tests the page
#   windows   the MinGW-w64 cross-compiler and Wine
#   sanitize  clang, for the sanitizer and fuzzing builds
#   all       every group: what scripts/test.sh needs
set -euo pipefail

group_packages() {
  case "$1" in
  build) echo cmake g++ make pkg-config ccache \
    libgl1-mesa-dev libglu1-mesa-dev mesa-common-dev libgl1-mesa-dri \
    libsdl2-dev libx11-dev libstb-dev ;;
  demo) group_packages build
    echo xvfb xauth x11-apps x11-xserver-utils xdotool imagemagick ;;
  tools) echo libfreetype-dev fonts-dejavu-core ;;
  web) echo emscripten python3 ;;
  tests) group_packages demo
    group_packages web
    echo libgtest-dev libbenchmark-dev xautomation dpkg-dev file unzip chromium python3-websocket ;;
  windows) echo g++-mingw-w64-x86-64-posix wine wine64 ;;
  sanitize) echo clang ;;
  all) for g in build demo tools web tests windows sanitize; do group_packages "$g"; done ;;
  *) echo "install-deps.sh: unknown group '$1' (build, demo, tools, web, tests, windows, sanitize, all)" >&2
    return 2 ;;
  esac
}

# The packages of the groups, each once, in a line each.
packages_of() {
  local g
  for g in "$@"; do group_packages "$g" || exit 2; done | tr ' ' '\n' | awk 'NF && !seen[$0]++'
}

if [ "${1:-}" = "--list" ]; then
  [ $# -eq 2 ] || { echo "usage: install-deps.sh --list GROUP" >&2; exit 2; }
  packages_of "$2"
  exit 0
fi

have=false
if [ "${1:-}" = "--have" ]; then
  [ $# -eq 2 ] || { echo "usage: install-deps.sh --have GROUP" >&2; exit 2; }
  have=true
  shift
fi

[ $# -gt 0 ] || set -- all
mapfile -t packages < <(packages_of "$@")
[ ${#packages[@]} -gt 0 ] || exit 2

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if $have; then
  [ ${#missing[@]} -eq 0 ]
  exit
fi

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing missing packages: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq "${missing[@]}" >/dev/null
