#!/usr/bin/env bash
# An author's run in the real window: --stage 3 opens on stage 3's
# introduction and play; an edit to data3.dat (another background, card lines)
# and F5 show the edited stage, its card written over the introduction, in the
# same window, with no box.
source "$(dirname "$0")/lib.sh"

IMG="$GAME_DIR/img"
start_display
make_work
rm "$WORK/data"
cp -r "$GAME_DIR/data" "$WORK/data"
start_game --stage 3
wait_window
press_until "" "$IMG/intro3.bmp" 0 40 640 200
window_shot stage3-intro
press_until Return "$IMG/gauge_base.bmp" 200 0 220 32
press_until "" "$IMG/bg_stage3.bmp" 0 40 640 400
window_shot stage3-play

sed -i 's/^#BG:.*/#BG:img\\bg_stage7.bmp/' "$WORK/data/data3.dat"
printf '#CARD_TITLE:Paper Festival, Remade\n#CARD_HINT:The card lines are drawn over the picture.\n' \
  >>"$WORK/data/data3.dat"
key F5
sleep 1.5
window_shot stage3-card
! matches stage3-card "$IMG/intro3.bmp" 150 130 340 60 || fail "no card title over the introduction"
press_until Return "$IMG/gauge_base.bmp" 200 0 220 32
press_until "" "$IMG/bg_stage7.bmp" 0 40 640 400
window_shot stage3-reloaded
[ -z "$(other_windows)" ] || fail "a box opened"
kill -0 "$GAME_PID" || fail "the game ended"
echo "stage reload test passed"
