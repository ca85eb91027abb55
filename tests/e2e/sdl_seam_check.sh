#!/usr/bin/env bash
# Fails when a file in src/ outside src/platform/sdl/ includes an SDL header.
set -u
cd "$1/src" || exit 2
leaks=$(grep -rlE '#[[:space:]]*include[[:space:]]*[<"](SDL2/)?SDL' . | grep -v '^\./platform/sdl/')
if [ -n "$leaks" ]; then
  echo "SDL included outside src/platform/sdl/:"
  echo "$leaks"
  exit 1
fi
echo "SDL stays behind the platform seam"
