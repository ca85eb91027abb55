#!/usr/bin/env bash
# Fails when the house is not one-way: an #include "../ anywhere in src/, or a
# symbol that a layer's library needs and only a layer above it defines.
#   layer_check.sh SOURCE_DIR LEVEL:LIBRARY...   (LEVEL 0 is the platform, 6 the shell)
set -uo pipefail
src=$1/src
shift
failed=0

if grep -rn --include='*.cpp' --include='*.h' '#[[:space:]]*include[[:space:]]*"\.\./' "$src"; then
  echo "an include climbs out of its folder; name it from src/ (\"layer/file.h\")"
  failed=1
fi

work=$(mktemp -d) || exit 2
trap 'rm -rf "$work"' EXIT
# Each library's defined and undefined symbols, by level.
for entry in "$@"; do
  level=${entry%%:*} lib=${entry#*:}
  [ -f "$lib" ] || { echo "no library $lib; build it first"; exit 2; }
  name=$(basename "$lib" .a)
  nm -P -g --defined-only "$lib" 2>/dev/null | awk 'NF >= 2 && $2 != "U" { print $1 }' |
    sort -u >"$work/$level.$name.defined"
  nm -P -u "$lib" 2>/dev/null | awk '{ print $1 }' | sort -u >"$work/$level.$name.needed"
done
cat "$work"/*.defined | sort -u >"$work/all"
for needed in "$work"/*.needed; do
  base=$(basename "$needed" .needed) level=${base%%.*} name=${base#*.}
  : >"$work/below"
  for defined in "$work"/*.defined; do
    d=$(basename "$defined") && [ "${d%%.*}" -le "$level" ] && cat "$defined" >>"$work/below"
  done
  sort -u -o "$work/below" "$work/below"
  # Needed, defined somewhere among our libraries, but not at this level or below.
  upward=$(comm -12 "$needed" "$work/all" | comm -23 - "$work/below")
  if [ -n "$upward" ]; then
    echo "$name needs what only a layer above it defines:"
    echo "$upward" | c++filt | sed 's/^/  /'
    failed=1
  fi
done
[ $failed -eq 0 ] && echo "every layer includes and links only downwards"
exit $failed
