#!/usr/bin/env bash
# Re-records every golden replay in tests/replays/ from the game built in BUILD
# (default build/): the opening, the title and its box, the how-to, the ranking
# and a lost game in the real window under its own Xvfb, driven by xdotool; and
# each stage (stageNN) from the title through its card to its clear, played by
# the expert on the headless backend (tools/players/golden_play) in a folder
# whose data/ starts a new game at that stage (tests/replays/stage_folder.sh),
# the last on through the ending. Each record is replayed headless before it
# is kept. Run it in the commit that changes what the game does on purpose, and
# say why there.
# The steps of the real-window tests fail by themselves (lib.sh), not through set -e.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd) || exit 1
game=$build/game
player=$build/tools/players/golden_play
for program in "$game/lantern-drift" "$player"; do
  [ -x "$program" ] || { echo "no $program: build it first (ninja -C $build lantern-drift golden_play)" >&2; exit 1; }
done
out=$root/tests/replays
shots=$build/screenshots/golden
set -- "$game" "$shots"
source "$root/tests/e2e/lib.sh"
export SDL_AUDIODRIVER=dummy
IMG=$game/img
scratch=$(mktemp -d)
trap 'cleanup; rm -rf "$scratch"' EXIT

# Keeps WORK/run.ldr as NAME.ldr.xz with NAME.expect (frames, save.dat bytes and
# checksum as recorded), once a headless replay gives the same.
keep() {
  local name=$1 frames checksum save line
  read -r _ _ frames _ checksum < <(grep '^recorded' "$GAME_LOG")
  [ -n "${checksum:-}" ] || fail "$name: the game did not report its record"
  save=$(od -An -v -t x1 "$WORK/save.dat" 2>/dev/null | tr -d ' \n')
  keep_record "$name" "$WORK/run.ldr" "frames $frames save $save checksum $checksum"
}

# Replays in FOLDER (default: one without data/) before keeping.
keep_record() {
  local name=$1 record=$2 expect=$3 folder=${4:-$scratch} line
  line=$(cd "$folder" && "$game/lantern-drift" --replay "$record" --headless) ||
    fail "$name: the new record does not replay: $line"
  [[ "$line" =~ ^frames\ ([0-9]+)\ scene\ [0-9]+\ score\ [0-9]+\ (save\ [0-9a-f]*\ checksum\ [0-9a-f]+)$ ]] &&
    [ "frames ${BASH_REMATCH[1]} ${BASH_REMATCH[2]}" = "$expect" ] ||
    fail "$name: replayed as '$line', recorded as '$expect'"
  xz -9 -c "$record" > "$out/$name.ldr.xz" || fail "cannot write $out/$name.ldr.xz"
  echo "$expect" > "$out/$name.expect"
  echo "recorded $name: $expect ($(stat -c %s "$out/$name.ldr.xz") bytes compressed)"
}

record_game() {
  make_work
  start_game --record run.ldr
  wait_window
}

# Takes shots until the region (x y w h) no longer looks like the picture's.
wait_differs() {
  local ref=$1
  for _ in $(seq 60); do
    window_shot probe
    matches probe "$ref" "$2" "$3" "$4" "$5" || return 0
    sleep 0.2
  done
  fail "the screen still looks like $(basename "$ref")"
}

title() { press_until "${1:-}" "$IMG/title.bmp" 120 0 400 320 "${2:-60}"; }

# From the title at its first entry: Up wraps to the last, which saves and quits.
quit_from_title() {
  key Up
  sleep 0.3
  key Return
  wait_exit
}

# From the title at its first entry: two down to the ranking.
open_ranking() {
  key Down
  sleep 0.3
  key Down
  sleep 0.3
  key Return
  press_until "" "$IMG/ranking.bmp" 0 0 640 60
}

mkdir -p "$out"
start_display

# The opening played out to the title; Escape there asks in a box, answered No, then Yes.
record_game
title "" 200
key Escape
wait_differs "$IMG/title.bmp" 120 160 400 160
window_shot title_box
key n
title
key Escape
wait_differs "$IMG/title.bmp" 120 160 400 160
key y
title
quit_from_title
keep opening_title
stop_game

# The how-to and the ranking from the title, the opening skipped.
record_game
title Return
key Down
sleep 0.3
key Return
press_until "" "$IMG/howto.bmp" 0 0 640 60
window_shot howto
key Return
title
open_ranking
window_shot ranking
key Return
title
quit_from_title
keep howto_ranking
stop_game

# The continue box after game over: its dark panel behind " CONTINUE? " on black,
# the same in two shots (the game-over scene fades through such colours).
is_continue_box() {
  [[ "$(pixel "$1" 204 160)" =~ ^#?1[0-9A-F]0[0-9A-F]2[0-9A-F]$ ]] &&
    [[ "$(pixel "$1" 100 100)" =~ ^#?000000$ ]]
}
wait_continue_box() {
  for _ in $(seq 900); do
    window_shot probe
    if is_continue_box probe; then
      sleep 0.5
      window_shot probe2
      [ "$(compare -metric AE "$SHOTS/probe.png" "$SHOTS/probe2.png" null: 2>&1)" = 0 ] && return 0
    fi
    sleep 0.2
  done
  fail "the continue box never showed"
}

# A new game that fires for half a minute but never steers: stage 1 runs out of
# time, the game-over scene plays out, No in the continue box enters the score in
# the ranking, which is then shown.
record_game
title Return
key Return
press_until Return "$IMG/gauge_base.bmp" 200 0 220 32
xdotool keydown --window "$WIN" space
sleep 30
xdotool keyup --window "$WIN" space
window_shot lost_play
wait_continue_box
window_shot continue_box
key Down
sleep 0.3
key Return
title "" 60
open_ranking
window_shot lost_ranking
key Return
title
quit_from_title
keep lost_game
stop_game

# Each stage by the expert from the title, on the first seed of eight with which
# it clears the stage with a life left to lose.
for stage in $(seq 10); do
  name=$(printf 'stage%02d' "$stage")
  work=$scratch/$name
  "$root/tests/replays/stage_folder.sh" "$game" "$stage" "$work" || fail "$name: cannot make its data/"
  kept=
  for seed in 1 2 3 4 5 6 7 8; do
    "$player" "$game" "$work" "$stage" "$scratch/try.ldr" "$seed" > "$scratch/try.out" ||
      fail "golden_play failed on stage $stage with seed $seed"
    grep -E '^(cleared|lost)' "$scratch/try.out"
    grep -qE '^cleared .*, lives left [1-9]' "$scratch/try.out" || continue
    read -r _ _ frames _ checksum < <(grep '^recorded' "$scratch/try.out")
    save=$(awk '$1 == "save" {print $2}' "$scratch/try.out")
    keep_record "$name" "$scratch/try.ldr" "frames $frames save $save checksum $checksum" "$work"
    kept=1
    break
  done
  [ -n "$kept" ] || fail "$name: the expert did not clear it with a life to spare in eight seeds"
done
echo "golden replays recorded in $out; screenshots in $shots"
