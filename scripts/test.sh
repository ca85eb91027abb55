#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the full suite on the
# normal build, then again under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"

"$root/scripts/build.sh" "$root/build" -DLD_WERROR=ON
(cd "$root/build" && ctest --output-on-failure -j2)

"$root/scripts/build.sh" "$root/build-asan" -DLD_WERROR=ON -DLD_SANITIZE=ON -DLD_BENCH=OFF
(cd "$root/build-asan" && ASAN_OPTIONS=detect_leaks=1 ctest --output-on-failure -j2 -LE e2e)

# Every reader of outside bytes, fuzzed for a short while.
"$root/scripts/fuzz.sh" 10
