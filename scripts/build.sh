#!/usr/bin/env bash
# Configures and builds into build/ (or the folder given as $1, with extra CMake
# options after it). Targets to build instead of all follow a `--`.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-$root/build}
shift || true
options=()
while [ $# -gt 0 ] && [ "$1" != "--" ]; do options+=("$1"); shift; done
[ $# -gt 0 ] && shift
launcher=()
# Rebuilds of another work tree reuse what ccache already compiled.
command -v ccache >/dev/null && launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "${options[@]}" >/dev/null
ninja -C "$dir" "$@"
