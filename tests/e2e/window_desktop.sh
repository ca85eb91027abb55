#!/usr/bin/env bash
# The window on a desktop with a window manager: a new player's window (the
# default config.ini the game writes) is one like any other, under a window
# opened after it; TOPMOST=1 keeps it above. It cannot be made smaller than
# 640x480. Full screen on a 1366x768 screen, SCALE=fit fills the height where
# the whole-number default shows a 640x480 picture between wide bars.
SCREEN=1366x768x24
source "$(dirname "$0")/lib.sh"

geometry() { xwininfo -id "$WIN" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}'; }
above() { xprop -id "$WIN" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE; }
# Whether the game's window is stacked over the other one.
game_on_top() {
  local order game other
  order=$(xprop -root _NET_CLIENT_LIST_STACKING | tr -d ',' | cut -d'#' -f2)
  game=$(printf '0x%x' "$WIN")
  other=$(printf '0x%x' "$OTHER")
  [ "$(tr ' ' '\n' <<<"$order" | grep -n -x -e "$game" -e "$other" | tail -n 1 | cut -d: -f2)" = "$game" ]
}

# Starts the game, then another window, which the manager activates.
game_and_another() {
  start_game "$@"
  wait_window
  xmessage -geometry 400x300+100+100 "another window" &
  MSG_PID=$!
  for _ in $(seq 50); do
    OTHER=$(xdotool search --onlyvisible --name '^xmessage$' 2>/dev/null | head -n 1)
    [ -n "$OTHER" ] && break
    sleep 0.1
  done
  [ -n "$OTHER" ] || fail "xmessage did not open"
  xdotool windowactivate --sync "$OTHER" 2>/dev/null
  sleep 0.5
}

end_both() {
  kill "$MSG_PID" 2>/dev/null
  wait "$MSG_PID" 2>/dev/null
  close_game
}

start_display_with_wm

# No config.ini: the game writes its default text and plays by it.
make_work
rm "$WORK/config.ini"
game_and_another --windowed
grep -q '^TOPMOST=0$' "$WORK/config.ini" || fail "the default config.ini has no TOPMOST=0"
above && fail "a new player's window is kept above the others"
game_on_top && fail "a new player's window stays over a window opened after it"
shot desktop-ordinary
# Openbox holds the window to its minimum size.
xdotool windowsize "$WIN" 500 400
sleep 0.5
[ "$(geometry)" = 640x480 ] || fail "the window shrank to $(geometry)"
end_both

GAME_CONFIG='FULL_SCREEN=0\nTOPMOST=1\n' game_and_another
above || fail "TOPMOST=1 does not keep the window above"
game_on_top || fail "TOPMOST=1: a window opened after the game covers it"
shot desktop-topmost
end_both

# The title, full screen: the share of the middle row that is not black.
title_width() {
  GAME_CONFIG="FULL_SCREEN=1\n$1" start_game
  wait_window
  sleep 3
  for _ in 1 2 3; do key Return; done  # through the opening, to the title
  sleep 1
  shot "$2"
  close_game
  # The left-most and right-most columns of the picture, read along its middle row.
  convert "$SHOTS/$2.png" -crop 1366x1+0+384 +repage -threshold 1% txt:- |
    awk -F'[,:]' '/#FFFFFF|white/ {if (first == "") first = $1; last = $1} END {print first, last}'
}
read -r whole_left whole_right <<<"$(title_width 'SCALE=whole\n' desktop-whole)"
read -r fit_left fit_right <<<"$(title_width 'SCALE=fit\n' desktop-fit)"
echo "whole: picture from x=$whole_left to $whole_right; fit: from x=$fit_left to $fit_right"
[ "$whole_left" -ge 363 ] && [ "$whole_right" -le 1002 ] ||
  fail "SCALE=whole: the picture spans $whole_left..$whole_right, beyond 363..1002"
[ "$fit_left" -ge 171 ] && [ "$fit_left" -le 180 ] && [ "$fit_right" -ge 1185 ] &&
  [ "$fit_right" -le 1194 ] || fail "SCALE=fit: the picture spans $fit_left..$fit_right, not 171..1194"
echo "desktop test passed"
