#!/usr/bin/env bash
# The game in hostile surroundings: no sound device, no soundfont, no font, a
# read-only game folder, FIFOs for its own files. Each time it starts, plays, says once on standard
# error what is missing (a read-only game folder sends the player's files to
# the XDG folders instead), and ends with 0.
source "$(dirname "$0")/lib.sh"

if ! unshare -m true 2>/dev/null; then
  echo "cannot make a mount namespace here; skipping"
  exit 0
fi
start_display
EMPTY=$(mktemp -d)

# Runs the game inside a private mount namespace with the given mounts made
# first, plays into the first stage, and keeps its standard error.
play_in() {
  local name=$1 mounts=$2
  WORK=$(mktemp -d)
  cp -r "$GAME_DIR/data" "$WORK/data"
  printf 'FULL_SCREEN=0\r\nFPS=1\r\n' > "$WORK/config.ini"
  GAME_LOG="$WORK/game.log"
  (cd "$WORK" && exec unshare -m sh -c "$mounts exec \"$GAME_DIR/lantern-drift\"" >"$GAME_LOG" 2>&1) &
  GAME_PID=$!
  wait_window
  press_until Return "$GAME_DIR/img/gauge_base.bmp" 200 0 220 32
  window_shot "hostile-$name"
  "$WM_CLOSE" "$WIN"
  wait_exit
}

says_once() {
  local count
  count=$(grep -c -- "$1" "$GAME_LOG")
  [ "$count" -eq 1 ] || fail "$2: expected one line matching '$1', found $count"
}

play_in no-sound-device "export SDL_AUDIODRIVER=none;"
says_once "no sound device" "no sound device"

play_in no-soundfont "export SDL_AUDIODRIVER=dummy; mount --bind $EMPTY /usr/share/sounds;"
says_once "soundfont" "no soundfont"

play_in no-font "export SDL_AUDIODRIVER=dummy; mount --bind $EMPTY /usr/share/fonts;"
says_once "font" "no font"

# A read-only game folder without config.ini or save.dat: both are taken from
# the XDG folders (a windowed config.ini there shows it was read).
HOME_DIR=$(mktemp -d)
mkdir -p "$HOME_DIR/.config/lantern-drift"
printf 'FULL_SCREEN=0\r\n' > "$HOME_DIR/.config/lantern-drift/config.ini"
play_in read-only "rm -f config.ini; export HOME=$HOME_DIR; mount --bind . . && mount -o remount,ro,bind . && cd .;"
[ "$(stat -c %s "$HOME_DIR/.local/share/lantern-drift/save.dat")" = 27 ] || fail "save.dat not in the XDG data folder"
rm -rf "$HOME_DIR"

# FIFOs where config.ini and save.dat belong: the game neither waits on them
# nor replaces them, says why, plays, and ends on SIGTERM.
WORK=$(mktemp -d)
ln -s "$GAME_DIR/data" "$WORK/data"
mkfifo "$WORK/config.ini" "$WORK/save.dat"
GAME_LOG="$WORK/game.log"
(cd "$WORK" && HOME="$WORK" exec "$GAME_DIR/lantern-drift" --windowed >"$GAME_LOG" 2>&1) &
GAME_PID=$!
wait_window
press_until Return "$GAME_DIR/img/gauge_base.bmp" 200 0 220 32
window_shot hostile-fifos
kill -TERM "$GAME_PID"
wait_exit
says_once "config.ini (not a regular file)" "config.ini as a FIFO"
says_once "save.dat (not a regular file)" "save.dat as a FIFO"
[ -p "$WORK/config.ini" ] && [ -p "$WORK/save.dat" ] || fail "a FIFO was replaced"
rm -rf "$EMPTY"
echo "hostile surroundings test passed"
