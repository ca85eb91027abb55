#!/usr/bin/env bash
# Fails when the house is not one-way: an include that opens a file of a room
# above its own or runs round a circle (include_check.py, on what the last
# build opened), or a symbol that a layer's library needs and only a layer
# above it defines.
#   layer_check.sh SOURCE_DIR BUILD_DIR LEVEL:LIBRARY...
#   (LEVEL 0 is the platform, 1 to 5 the library's rooms, 10 the shell)
set -uo pipefail
here=$(dirname "$0")
"$here/include_check.py" "$1" "$2"
failed=$?
shift 2

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
