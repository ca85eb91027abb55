#!/usr/bin/env bash
# Installs what playing needs, builds the game and its content pack (no tests,
# benchmarks or fuzzers), and starts it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh" play
"$root/scripts/build.sh" "$root/build" -DLD_TESTS=OFF -DLD_BENCH=OFF -- lantern-drift content
cd "$root/build/game"
exec ./lantern-drift
