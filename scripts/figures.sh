#!/usr/bin/env bash
# Prints the figures HACKING.md gives: the test ratio by layer (tests/<layer>
# against src/<layer>), the whole ratio (tests/ against src/ + tools/), the
# largest files and the longest functions. Lines counted are the non-blank,
# non-comment lines of .cpp and .h files.
#   figures.sh [TOP]   (TOP largest files and functions; 10 unless given)
set -euo pipefail
cd "$(dirname "$0")/.."
top=${1:-10}

# Code lines of each file given on standard input, as "LINES PATH".
code_lines() {
  xargs -r awk '
    FNR == 1 && NR > 1 { print n, previous; n = 0 }
    FNR == 1 { previous = FILENAME; n = 0; block = 0 }
    {
      line = $0
      sub(/^[ \t]+/, "", line)
      if (block) { if (line ~ /\*\//) block = 0; next }
      if (line ~ /^\/\*/) { if (line !~ /\*\//) block = 1; next }
      if (line == "" || line ~ /^\/\//) next
      n++
    }
    END { if (NR > 0) print n, previous }'
}

sources() { { find "$@" -type f \( -name "*.cpp" -o -name "*.h" \) 2>/dev/null || true; } | sort; }
total() { sources "$@" | code_lines | awk '{ s += $1 } END { print s + 0 }'; }
ratio() { awk -v t="$1" -v c="$2" 'BEGIN { printf "%.2f", c ? t / c : 0 }'; }

echo "Test ratio by layer (code lines of tests/<layer> : src/<layer>):"
printf '  %-10s %7s %7s %6s\n' layer src tests ratio
for layer in platform library scene content game frontend shell; do
  code=$(total "src/$layer")
  tests=$(total "tests/$layer")
  printf '  %-10s %7d %7d %6s\n' "$layer" "$code" "$tests" "$(ratio "$tests" "$code")"
done
code=$(total src tools)
tests=$(total tests)
printf 'Whole: tests/ %d : src/ + tools/ %d = %.3f\n' "$tests" "$code" \
  "$(awk -v t="$tests" -v c="$code" 'BEGIN { print t / c }')"

echo "Largest files of src/ and tools/ (code lines):"
sources src tools | code_lines | sort -rn | head -n "$top" | awk '{ printf "  %5d %s\n", $1, $2 }'

# A function starts at a line in column 0 that ends in "{" after a ")" and
# ends at the next "}" in column 0.
echo "Longest functions of src/ and tools/ (lines, braces included):"
sources src tools | xargs awk '
  /^[A-Za-z].*\)( const)?( noexcept)? \{$/ { name = $0; start = FNR; next }
  /^\}/ && start { sub(/\(.*/, "", name); n = split(name, w, " "); printf "%d %s:%d %s\n", FNR - start + 1, FILENAME, start, w[n]; start = 0 }
' | sort -rn | head -n "$top" | awk '{ printf "  %5d %s %s\n", $1, $3, $2 }'
