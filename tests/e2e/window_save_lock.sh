#!/usr/bin/env bash
# save.dat locked by another program (flock): the save waits a few seconds,
# says so in one line and goes on; a score kept so arrives with the next save;
# SIGTERM ends a wait at once.
source "$(dirname "$0")/lib.sh"

LINE="save.dat is locked by another program; your score is kept and saved next time"
IMG="$GAME_DIR/img"
start_display
make_work
# A first and last stage with the player alone, cleared at once; short scripts.
rm "$WORK/data"
cp -r "$GAME_DIR/data" "$WORK/data"
python3 - "$WORK/data" <<'PY'
import re, sys
data = sys.argv[1]
game = open(f'{data}/game.dat').read()
open(f'{data}/game.dat', 'w').write(re.sub(r'#MAX_STAGE:\d+', '#MAX_STAGE:1', game))
text = open(f'{data}/data1.dat').read()
head = text.split('#ENEMY:')[0]
head = re.sub(r'#MAX_TURN:\d+', '#MAX_TURN:1', head)
head = re.sub(r'#ENEMY_NUMBER:\d+', '#ENEMY_NUMBER:1', head)
head = re.sub(r'#OBJECT_NUMBER:\d+', '#OBJECT_NUMBER:0', head)
player = re.search(r'#ENEMY:0\n(.*?)(?=\n[#;])', text, re.S).group(0)
open(f'{data}/data1.dat', 'w').write(head + player + '\n')
for script in ('demo1.dat', 'demo_end.dat'):
    open(f'{data}/{script}', 'w').write('#MAX_SCENE:1\n#SCENE:0\nimg:img\\intro1.bmp\nwait:300\n')
PY

score() { od -An -t d4 -j 7 -N 4 "$WORK/save.dat" | tr -d ' '; }
lines() { grep -c "^lantern-drift: $LINE\$" "$GAME_LOG"; }
# flock -o: only flock holds the lock, not its sleep, so ending both frees it.
hold() {
  flock -o "$WORK/save.dat.lock" sleep 600 >/dev/null 2>&1 &
  HOLDER=$!
  sleep 0.3
}
release() {
  [ -n "${HOLDER:-}" ] || return 0
  kill $(pgrep -P "$HOLDER") "$HOLDER" 2>/dev/null
  wait "$HOLDER" 2>/dev/null
  HOLDER=
}
trap 'release; cleanup' EXIT
now() { date +%s%N; }
to_title() { press_until Return "$IMG/title.bmp" 120 0 400 320; sleep 1; }
choose_quit() { key Up; sleep 1; key Return; QUIT_AT=$(now); }

# A game ends while the lock is held: the line, no score on disk, the title again.
start_game
wait_window
hold
to_title
key Return
sleep 2
press_until "" "$IMG/title.bmp" 120 0 400 320 120
[ "$(lines)" -eq 1 ] || fail "no line for the held lock at the end of the game"
[ "$(score)" -eq 0 ] || fail "the score was saved under another program's lock"
# Once the lock is free, the quit's save brings the kept score.
release
sleep 1
choose_quit
wait_exit
kept=$(score)
[ "$kept" -gt 0 ] || fail "the kept score did not arrive with the next save"

# Quit with the lock held: the game ends within 5 seconds, with the line.
hold
start_game
wait_window
to_title
choose_quit
wait_exit
quit_ms=$((($(now) - QUIT_AT) / 1000000))
[ "$quit_ms" -le 5000 ] || fail "the game took $quit_ms ms to quit"
[ "$(lines)" -eq 1 ] || fail "no line for the held lock at quit"
[ "$(score)" -eq "$kept" ] || fail "save.dat changed under another program's lock"

# SIGTERM during that wait ends the game at once.
start_game
wait_window
to_title
choose_quit
sleep 0.5
kill -TERM "$GAME_PID"
TERM_AT=$(now)
wait_exit
term_ms=$((($(now) - TERM_AT) / 1000000))
[ "$term_ms" -le 1000 ] || fail "the game took $term_ms ms to end on SIGTERM"
release
echo "save lock test passed: kept score $kept, quit in $quit_ms ms, SIGTERM in $term_ms ms"
