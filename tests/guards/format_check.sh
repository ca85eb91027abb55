#!/usr/bin/env bash
# Fails when a tracked C or C++ file differs from what .clang-format makes of it.
# Usage: format_check.sh SOURCE_DIR
set -uo pipefail
cd "$1" || exit 2
command -v clang-format >/dev/null || { echo "format_check: clang-format is not installed (scripts/setup.sh)" >&2; exit 2; }
files=$(git ls-files '*.cpp' '*.h' '*.c' 2>/dev/null)
[ -n "$files" ] || { echo "format_check: no tracked sources under $1" >&2; exit 2; }
if ! xargs clang-format --dry-run -Werror <<<"$files" 2>/tmp/format_check.$$; then
  grep -E '^[^ ].*: (error|warning):' /tmp/format_check.$$ | head -n 20
  echo "format_check: run clang-format -i on the files above" >&2
  rm -f /tmp/format_check.$$
  exit 1
fi
rm -f /tmp/format_check.$$
echo "every tracked source follows .clang-format"
