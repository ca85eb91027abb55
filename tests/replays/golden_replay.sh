#!/usr/bin/env bash
# Replays one golden record (NAME.ldr.xz) headless with the game in GAME_DIR and
# fails on any divergence: the replay itself stops where the game asks for other
# input than the record holds or draws other frames; save.dat's bytes at the end
# must be those of NAME.expect, written when it was recorded. A stage record
# (stageNN) replays in a folder whose data/ starts a new game at that stage.
set -u
game=$1 record=$2
name=$(basename "$record" .ldr.xz)
expect=$(cat "${record%.ldr.xz}.expect") || exit 1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
xz -dc "$record" > "$scratch/run.ldr" || { echo "FAIL: cannot unpack $record"; exit 1; }
# A stage record in a folder whose data/ starts a new game at its stage; any other
# in one without data/, so the game folder is the program's, as it was recorded.
if [[ "$name" =~ ^stage0*([1-9][0-9]*)$ ]]; then
  "$(dirname "$0")/stage_folder.sh" "$game" "${BASH_REMATCH[1]}" "$scratch" || exit 1
fi
line=$(cd "$scratch" && "$game/lantern-drift" --replay run.ldr --headless)
code=$?
got=$(sed -E 's/ scene [0-9]+ score [0-9]+//' <<<"$line")
if [ "$code" -ne 0 ] || [ "$got" != "$expect" ]; then
  echo "FAIL: golden replay $name diverged (exit $code)"
  echo "  recorded: $expect"
  echo "  replayed: $got"
  echo "  a change made on purpose re-records it: scripts/record-golden.sh, in the same commit"
  exit 1
fi
echo "golden replay $name: $got"
