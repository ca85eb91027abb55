#!/usr/bin/env bash
# Builds a Debian package of the game into build/ (lantern-drift_<version>_<arch>.deb).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$root/build" -DLD_TESTS=OFF -DLD_BENCH=OFF
(cd "$root/build" && cpack -G DEB)
ls "$root"/build/lantern-drift_*.deb
