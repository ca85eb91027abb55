#!/usr/bin/env bash
# Makes FOLDER/data a copy of the pack's data/ in GAME_DIR whose game.dat starts a
# new game at STAGE: run in FOLDER, the game reads its data there and its
# pictures, sounds and music from the pack. The stage records are made and
# replayed on it, so both must get the same bytes from here.
set -eu
game=$1 stage=$2 folder=$3
[[ "$stage" =~ ^[1-9][0-9]*$ ]] || { echo "stage_folder.sh: '$stage' is not a stage number" >&2; exit 2; }
mkdir -p "$folder"
rm -rf "$folder/data"
cp -r "$game/data" "$folder/data"
sed -i "s/^#INIT_STAGE:[0-9]*/#INIT_STAGE:$stage/" "$folder/data/game.dat"
grep -q "^#INIT_STAGE:$stage\b" "$folder/data/game.dat" ||
  { echo "stage_folder.sh: $game/data/game.dat has no #INIT_STAGE: line to change" >&2; exit 1; }
