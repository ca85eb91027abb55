#!/usr/bin/env bash
# A game recorded in the real window replays headless to the same frames, score
# and save.dat, and in the window; records of other content or another version
# are refused. config.ini asks for full screen and --windowed overrides it: the
# record keeps the window mode, so a plain replay needs no option.
source "$(dirname "$0")/lib.sh"

IMG="$GAME_DIR/img"
start_display
WORK=$(mktemp -d)
# A short first stage with one turn: an enemy that one shot defeats, one that outlasts the five seconds.
cp -r "$GAME_DIR/data" "$WORK/data"
python3 - "$WORK/data/data1.dat" <<'PY'
import re, sys
path = sys.argv[1]
text = open(path, newline='').read()
head = text.split('#ENEMY:')[0]
for key, value in (('INIT_TIME', 5), ('MAX_TURN', 1), ('ENEMY_NUMBER', 3), ('OBJECT_NUMBER', 0)):
    head = re.sub(rf'#{key}:\d+', f'#{key}:{value}', head)
player = re.search(r'#ENEMY:0\n(.*?)(?=\n[#;])', text, re.S).group(0)
player = re.sub(r'xy:[\d.]+,[\d.]+', 'xy:304,100', player)
def enemy(n, xy, hp):
    return (f'#ENEMY:{n}\nimg:img\\chr_wisp.bmp\nhp:{hp}\nxy:{xy}\naxy:0,0\nmax:0\nattack:1\n'
            f'hard:1\nsize_x:32\nsize_y:32\nai:3\nscore:500\nbom_last_img:6\nturn:0\n')
open(path, 'w', newline='').write(head + player + '\n' + enemy(1, '304,300', 1) + enemy(2, '560,400', 99999))
PY
printf 'FULL_SCREEN=1\r\n' > "$WORK/config.ini"
GAME_LOG="$WORK/game.log"
(cd "$WORK" && exec "$GAME_DIR/lantern-drift" --windowed --record run.rec >"$GAME_LOG" 2>&1) &
GAME_PID=$!
wait_window

press_until Return "$IMG/title.bmp" 120 0 400 320
key Return
press_until Return "$IMG/gauge_base.bmp" 200 0 220 32
xdotool keydown --window "$WIN" space; sleep 0.6; xdotool keyup --window "$WIN" space
xdotool keydown --window "$WIN" Left; sleep 0.4; xdotool keyup --window "$WIN" Left
key Escape
window_shot menu
key Escape
xdotool keydown --window "$WIN" Right; sleep 0.4; xdotool keyup --window "$WIN" Right
sleep 5
press_until Return "$IMG/title.bmp" 120 0 400 320 80
key Up
sleep 0.3
key Return
wait_exit
read -r _ _ frames _ checksum < <(grep '^recorded' "$GAME_LOG")
[ "${frames:-0}" -gt 300 ] || fail "the recording did not report its frames"
save=$(od -An -v -t x1 "$WORK/save.dat" | tr -d ' \n')
[ "$(od -An -t d4 -j 7 -N 4 "$WORK/save.dat" | tr -d ' ')" -gt 0 ] || fail "the recorded game did not score"

cd "$WORK"
line=$("$GAME_DIR/lantern-drift" --replay run.rec --headless 2>"$WORK/replay.err") ||
  fail "headless replay: $(cat "$WORK/replay.err")"
expected="frames $frames scene [0-9]+ score [0-9]+ save $save checksum $checksum"
[[ "$line" =~ ^$expected$ ]] || fail "headless replay gave '$line', the recording '$expected'"
[ "$(od -An -v -t x1 save.dat | tr -d ' \n')" = "$save" ] || fail "the replay wrote the player's save.dat"

("$GAME_DIR/lantern-drift" --replay run.rec >"$WORK/window.out" 2>&1) &
GAME_PID=$!
wait_window
sleep 9
window_shot replay
for _ in $(seq 120); do kill -0 "$GAME_PID" 2>/dev/null || break; sleep 0.5; done
wait_exit
grep -q "checksum $checksum" "$WORK/window.out" || fail "window replay: $(cat "$WORK/window.out")"

refused() {
  local out
  out=$("$GAME_DIR/lantern-drift" --replay "$1" --headless 2>&1) && fail "$1 replayed"
  [[ "$out" == *"$2"* ]] || fail "$1: '$out' does not say '$2'"
}
sed 's/2\.0\.0/9.9.9/' run.rec > other-version.rec
refused other-version.rec "made by version 9.9.9"
head -c 20000 run.rec > cut.rec
refused cut.rec "cut short"
echo ";" >> data/data2.dat
refused run.rec "other content"
echo "replay test passed: $frames frames, checksum $checksum"
