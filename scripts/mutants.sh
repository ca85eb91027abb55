#!/usr/bin/env bash
# Applies each deliberate fault under tests/mutants/ alone to a clean copy of
# the committed tree, rebuilds, runs the tests that need no window (stopping at
# the first failure) and takes the fault out again. Every fault must be caught.
#   scripts/mutants.sh                 all of tests/mutants/*.patch
#   scripts/mutants.sh FILE.patch...   just these
# LD_MUTANT_DIR (default build-mutants/) holds the clone, with its build in
# the clone's build/ as in a work tree, so ccache's base_dir finds what the
# work tree compiled; both are kept between runs. LD_MUTANT_JOBS (default 2)
# is the build's -j.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
work=${LD_MUTANT_DIR:-$root/build-mutants}
jobs=${LD_MUTANT_JOBS:-2}
copy=$work/tree
build=$copy/build
patches=("$@")
[ ${#patches[@]} -gt 0 ] || patches=("$root"/tests/mutants/*.patch)

die() { echo "mutants: $*" >&2; exit 2; }

# A clone of the committed tree, kept between runs: checking out the new HEAD
# rewrites only the files that differ, so the kept build redoes only those.
mkdir -p "$work" || die "cannot write $work"
[ -d "$copy/.git" ] || git clone -q --no-checkout "$root" "$copy" || die "cannot clone $root"
git -C "$copy" fetch -q "$root" HEAD && git -C "$copy" checkout -q -f --detach FETCH_HEAD &&
  git -C "$copy" clean -qfd || die "cannot bring $copy to the HEAD of $root"

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$copy" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLD_BENCH=OFF \
  "${launcher[@]}" >/dev/null || die "cannot configure $build"

build_all() { ninja -C "$build" -j "$jobs" >"$work/build.log" 2>&1; }

# The non-window tests: ld_tests up to its first failure, then the other
# CTest tests without the e2e label (their names hold no dot, gtest's do).
run_tests() {
  (cd "$build/tests" && timeout 900 ./ld_tests --gtest_fail_fast --gtest_brief=1) \
    >"$work/test.log" 2>&1 &&
    ctest --test-dir "$build" -LE e2e -E '\.' >>"$work/test.log" 2>&1
}

build_all || die "the clean copy does not build; see $work/build.log"
run_tests || die "the clean copy fails its own tests; see $work/test.log"

caught=0
missed=()
broken=()
for patch in "${patches[@]}"; do
  name=$(basename "$patch" .patch)
  if ! git -C "$copy" apply --check "$patch" 2>/dev/null; then
    broken+=("$name (no longer applies)")
    echo "error   $name: no longer applies"
    continue
  fi
  git -C "$copy" apply "$patch"
  if ! build_all; then
    broken+=("$name (does not build)")
    echo "error   $name: does not build"
  elif run_tests; then
    missed+=("$name")
    echo "MISSED  $name: $(head -n 1 "$patch" | sed 's/^# //')"
  else
    caught=$((caught + 1))
    echo "caught  $name"
  fi
  git -C "$copy" checkout -q -f -- . || die "cannot take $name out again"
done

echo "${caught} caught, ${#missed[@]} missed"
[ ${#missed[@]} -eq 0 ] || printf 'missed: %s\n' "${missed[@]}"
[ ${#broken[@]} -eq 0 ] || printf 'error: %s\n' "${broken[@]}"
[ ${#missed[@]} -eq 0 ] && [ ${#broken[@]} -eq 0 ]
