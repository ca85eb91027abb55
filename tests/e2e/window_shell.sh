#!/usr/bin/env bash
# The built game in a real window: caption, activation, Escape's question, closing.
source "$(dirname "$0")/lib.sh"

start_display
start_game
wait_window

geometry=$(xwininfo -id "$WIN" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')
[ "$geometry" = "640x480" ] || fail "window is $geometry, not 640x480"
sleep 1
kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended on its own"
shot shell-running

key Escape
wait_box
xdotool key --window "$BOX" Return
sleep 0.5
[ -z "$(other_windows)" ] || fail "the question box stayed open"
kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended after the question"

"$WM_CLOSE" "$WIN"
wait_exit
echo "window test passed"
