#!/usr/bin/env bash
# Installs the Debian packages the project needs, when they are missing.
set -euo pipefail

packages=(
  cmake ninja-build pkg-config g++ clang libclang-rt-14-dev
  libsdl2-dev libsdl2-mixer-dev libsdl2-ttf-dev libfluidsynth-dev libasound2-dev libpng-dev
  timgm6mb-soundfont fonts-ipafont-gothic
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xdotool x11-utils imagemagick sox openbox
  desktop-file-utils appstream dpkg-dev stress-ng
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
