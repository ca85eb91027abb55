#!/usr/bin/env bash
# Installs what is missing, builds, and starts the game on the default content pack.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$root/build"
cd "$root/build/game"
exec ./lantern-drift
