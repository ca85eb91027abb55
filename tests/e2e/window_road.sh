#!/usr/bin/env bash
# A whole road in the real window: opening, title, a first stage that is lost,
# the score in save.dat, back to the title, quit.
source "$(dirname "$0")/lib.sh"

IMG="$GAME_DIR/img"
start_display
make_work
# A short first stage: one enemy right below the player that a single shot
# defeats, and one that cannot be beaten before the five seconds run out.
rm "$WORK/data"
cp -r "$GAME_DIR/data" "$WORK/data"
python3 - "$WORK/data/data1.dat" <<'PY'
import re, sys
path = sys.argv[1]
text = open(path, newline='').read()
head = text.split('#ENEMY:')[0]
head = re.sub(r'#INIT_TIME:\d+', '#INIT_TIME:5', head)
head = re.sub(r'#MAX_TURN:\d+', '#MAX_TURN:1', head)
head = re.sub(r'#ENEMY_NUMBER:\d+', '#ENEMY_NUMBER:3', head)
head = re.sub(r'#OBJECT_NUMBER:\d+', '#OBJECT_NUMBER:0', head)
player = re.search(r'#ENEMY:0\n(.*?)(?=\n[#;])', text, re.S).group(0)
player = re.sub(r'xy:[\d.]+,[\d.]+', 'xy:304,100', player)
def enemy(n, xy, hp):
    return (f'#ENEMY:{n}\nimg:img\\chr_wisp.bmp\nhp:{hp}\nxy:{xy}\naxy:0,0\nmax:0\nattack:1\n'
            f'hard:1\nsize_x:32\nsize_y:32\nai:3\nscore:500\nbom_last_img:6\nturn:0\n')
open(path, 'w', newline='').write(head + player + '\n' + enemy(1, '304,300', 1) + enemy(2, '560,400', 99999))
PY
# Only now: the game chooses its folder at start-up, by whether data/game.dat is there.
start_game
wait_window

press_until Return "$IMG/title.bmp" 120 0 400 320
window_shot title
key Return
press_until Return "$IMG/gauge_base.bmp" 200 0 220 32
xdotool keydown --window "$WIN" space; sleep 0.6; xdotool keyup --window "$WIN" space
window_shot game
sleep 6
press_until Return "$IMG/title.bmp" 120 0 400 320 80
window_shot title-again

score=$(od -An -t d4 -j 7 -N 4 "$WORK/save.dat" | tr -d ' ')
[ "${score:-0}" -gt 500 ] || fail "save.dat holds no score (${score:-none})"

key Up
sleep 0.3
key Return
wait_exit
echo "road test passed: score $score"
