#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for the given number of
# seconds (default 20), seeded with the default content pack and fuzz/corpus/.
# A failing target does not stop the others; the exit status is 1 if any failed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-20}
build="$root/build-fuzz"
CC=clang CXX=clang++ "$root/scripts/build.sh" "$build" -DLD_FUZZ=ON -DLD_SANITIZE=ON \
  -DLD_TESTS=OFF -DLD_BENCH=OFF >/dev/null

seeds="$build/seeds"
rm -rf "$seeds"
mkdir -p "$seeds"/{game_dat,stage_file,scene_script,bmp,riff,midi,config,save,record,replay}
cp "$build"/game/data/game.dat "$seeds/game_dat/"
cp "$build"/game/data/data*.dat "$seeds/stage_file/"
cp "$build"/game/data/demo*.dat "$seeds/scene_script/"
find "$build/game/img" -name '*.bmp' -size -40k -exec cp {} "$seeds/bmp/" \;
cp "$build"/game/sound/*.wav "$seeds/riff/"
cp "$build"/game/Music/*.mid "$seeds/midi/"
printf 'FULL_SCREEN=0\r\nFPS=1\r\n' > "$seeds/config/small.ini"
printf '\xef\xbb\xbf; \xe8\xa8\xad\xe5\xae\x9a\nFULL_SCREEN=0\nMUSIC_VOLUME=40\n' > "$seeds/config/utf8.ini"
printf 'qorvane\x10\x27\0\0\x01\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0' > "$seeds/save/small.dat"
# A short record: its header, a clock reading, a key, drawn text and the end.
printf 'LDRC\x02\0\0\0\x03\0\0\0x.y\x01\0\0\0\x02\0\0\0\xff\xff\xff\xff\0\0\0\0\x01\x04\0\0\0\x10\0\0\0\x08\x08\0\0\0\x20\0\0\0\x01\0\0\0\x0c\x12\0\0\0\x01\0\0\0\x02\0\0\0\x01\0\0\0\x01\0\0\0\xff\xff\x0d\x0c\0\0\0\x02\0\0\0\x05\0\0\0\x06\0\0\0' > "$seeds/record/small.rec"

failures=0
# The golden replays are real runs too: the title and its box, the how-to and
# the ranking, a lost game, a stage from its card to its clear.
for name in opening_title howto_ranking lost_game stage01; do
  xz -dc "$root/tests/replays/$name.ldr.xz" > "$seeds/replay/$name.ldr"
done

# replay: records of real runs (fuzz/corpus/replay, the golden replays) replayed through the whole game.
for target in game_dat stage_file scene_script bmp riff midi config save record replay; do
  corpus="$build/corpus/$target"
  mkdir -p "$corpus"
  [ -d "$root/fuzz/corpus/$target" ] && cp -n "$root/fuzz/corpus/$target"/* "$corpus/" 2>/dev/null || true
  echo "fuzzing $target for ${seconds}s"
  log="$build/$target.log"
  max_len=65536
  options=()
  if [ "$target" = replay ]; then
    max_len=524288  # the lost game is about 460 KB
    options=(-use_value_profile=1 -dict="$root/fuzz/replay.dict")
  fi
  # Absolute paths: the replay target works in the game folder.
  if ! ASAN_OPTIONS=detect_leaks=1 "$build/fuzz/${target}_fuzz" -max_total_time="$seconds" \
      -max_len="$max_len" "${options[@]}" -artifact_prefix="$build/" -print_final_stats=1 \
      "$corpus" "$seeds/$target" >"$log" 2>&1; then
    tail -n 40 "$log"
    echo "fuzz target $target failed"
    failures=$((failures + 1))
    continue
  fi
  grep -E '^(#[0-9]+.*DONE|stat::number_of_executed_units)' "$log"
done
[ "$failures" -eq 0 ]
