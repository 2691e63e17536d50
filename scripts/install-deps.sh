#!/usr/bin/env bash
# Installs the Debian packages Quorvel needs to build, test and run, when any
# is missing. Idempotent and quiet when everything is already there.
set -euo pipefail

packages=(
  cmake g++ make pkg-config ccache clang
  libgtest-dev libbenchmark-dev
  libgl1-mesa-dev libglu1-mesa-dev mesa-common-dev libgl1-mesa-dri
  libsdl2-dev libx11-dev
  libfreetype-dev fonts-dejavu-core libstb-dev
  xvfb xauth x11-apps x11-xserver-utils xdotool xautomation imagemagick
  g++-mingw-w64-x86-64-posix wine wine64
  dpkg-dev file unzip
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing missing packages: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq "${missing[@]}" >/dev/null
