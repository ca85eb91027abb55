#!/usr/bin/env bash
# Installs the Debian packages the project needs, when they are missing:
# `setup.sh play` only what building and playing the game takes, `setup.sh`
# that and what the tests, sanitizers, fuzzers, benchmarks and packaging take.
set -euo pipefail

play=(
  cmake ninja-build pkg-config g++
  libsdl2-dev libsdl2-mixer-dev libsdl2-ttf-dev libfluidsynth-dev libasound2-dev libpng-dev
  timgm6mb-soundfont fonts-ipafont-gothic
)
test=(
  clang libclang-rt-14-dev
  libgtest-dev libgmock-dev libbenchmark-dev libx11-dev
  xvfb xdotool x11-utils imagemagick sox openbox
  clang-format desktop-file-utils appstream dpkg-dev lintian tesseract-ocr stress-ng xz-utils python3
)

case "${1:-all}" in
  play) packages=("${play[@]}") ;;
  all) packages=("${play[@]}" "${test[@]}") ;;
  *) echo "usage: $0 [play|all]" >&2; exit 2 ;;
esac

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
