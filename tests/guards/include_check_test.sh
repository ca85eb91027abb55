#!/usr/bin/env bash
# include_check.py on small trees of its own: each planted fault must fail it
# with its line, and the tree without them must pass.
#   include_check_test.sh GUARD
set -uo pipefail
guard=$1
work=$(mktemp -d) || exit 2
trap 'rm -rf "$work"' EXIT
failed=0

# A tree with a header in each of a few rooms; $1 is the extra text of content/a.cpp.
tree() {
  rm -rf "$work/src"
  mkdir -p "$work/src"/{content,frontend,shell,library/system,library/ui,library/draw}
  for h in frontend/save.h shell/loop.h library/ui/box.h library/system/sink.h content/b.h; do
    echo '#pragma once' >"$work/src/$h"
  done
  printf '#include "library/ui/box.h"\n' >"$work/src/library/draw/draw.cpp"
  printf '#include "library/system/sink.h"\n%s\n' "$1" >"$work/src/content/a.cpp"
}

expect() {  # $1: the planted include, $2: what the guard must say
  tree "$1"
  out=$("$guard" "$work" 2>&1)
  if [ $? -eq 0 ] || ! grep -qF "$2" <<<"$out"; then
    echo "include_check let through: $1"
    echo "$out" | sed 's/^/  /'
    failed=1
  fi
}

expect '#include "content/../frontend/save.h"' 'opens frontend/save.h, above its room'
expect '#include "./../shell/loop.h"' 'opens shell/loop.h, above its room'
expect '#include "frontend/save.h"' 'opens frontend/save.h, above its room'
expect '#include "library/ui/box.h"' 'library/draw/draw.cpp: #include "library/ui/box.h"'
# The circle: content/b.h includes content/a.h, whose .cpp includes content/b.h.
tree '#include "content/b.h"'
printf '#pragma once\n' >"$work/src/content/a.h"
printf '#pragma once\n#include "content/a.h"\n' >"$work/src/content/b.h"
rm "$work/src/library/draw/draw.cpp"
out=$("$guard" "$work" 2>&1)
if [ $? -eq 0 ] || ! grep -qF 'include circle of 3 files: content/a.cpp content/a.h content/b.h' <<<"$out"; then
  echo "include_check missed a circle"
  echo "$out" | sed 's/^/  /'
  failed=1
fi
# Without the circle and the upward include, the tree passes.
rm "$work/src/content/b.h"
echo '#pragma once' >"$work/src/content/b.h"
if ! out=$("$guard" "$work" 2>&1); then
  echo "include_check failed a one-way tree"
  echo "$out" | sed 's/^/  /'
  failed=1
fi
[ $failed -eq 0 ] && echo "include_check catches every planted fault"
exit $failed
