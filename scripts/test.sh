#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the full suite on the
# normal build, then again under AddressSanitizer and UndefinedBehaviorSanitizer,
# then every reader of outside bytes fuzzed for a short while. A failing stage
# does not stop the later ones; the last line counts the tests of all three
# (a skipped test apart: ctest lists each, with the reason in its output), and
# the exit status is 1 when any failed.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh" || exit 1
log=$(mktemp)
trap 'rm -f "$log"' EXIT
passed=0
failed=0
skipped=0

# Runs a stage, showing its output and keeping it for the count.
stage() {
  echo "== $1"
  shift
  "$@" 2>&1 | tee "$log"
  return "${PIPESTATUS[0]}"
}

# ctest's summary: "97% tests passed, 2 tests failed out of 71", then each
# skipped test as "  12 - Suite.Case (Skipped)"; ctest counts those as passed.
count_ctest() {
  local summary total bad skips
  summary=$(grep -E '^[0-9]+% tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
  if [ -z "$summary" ]; then
    failed=$((failed + 1))  # the stage broke before its tests ran
    return
  fi
  bad=$(awk '{print $4}' <<<"$summary")
  total=$(awk '{print $NF}' <<<"$summary")
  skips=$(grep -cE '^[[:space:]]*[0-9]+ - .* \((Skipped|Disabled)\)$' "$log")
  passed=$((passed + total - bad - skips))
  failed=$((failed + bad))
  skipped=$((skipped + skips))
}

# Builds into a folder with the CMake options given and runs ctest there;
# the real-window tests (label e2e) only when asked.
suite() {
  local dir=$1 windows=$2
  shift 2
  local skip=()
  [ "$windows" = with-windows ] || skip=(-LE e2e)
  "$root/scripts/build.sh" "$dir" -DLD_WERROR=ON -DLD_TESTS=ON "$@" &&
    (cd "$dir" && ASAN_OPTIONS=detect_leaks=1 ctest --output-on-failure -j2 "${skip[@]}")
}

stage "tests" suite "$root/build" with-windows -DLD_BENCH=ON
count_ctest
stage "tests under the sanitizers" suite "$root/build-asan" no-windows -DLD_SANITIZE=ON -DLD_BENCH=OFF
count_ctest

stage "fuzzers" "$root/scripts/fuzz.sh" 10
fuzzed=$(grep -c '^fuzzing ' "$log")
bad=$(grep -c '^fuzz target .* failed$' "$log")
[ "$fuzzed" -eq 0 ] && bad=1  # the fuzzers were not built
passed=$((passed + fuzzed - bad))
failed=$((failed + bad))

echo "$passed passed, $failed failed, $skipped skipped"
[ "$failed" -eq 0 ]
