#!/usr/bin/env bash
# Both ways of showing a picture, the window surface and the renderer, give the
# same picture of the title screen in a window at 1x and 2x; each says which
# way it took.
SCREEN=1600x1200x24
source "$(dirname "$0")/lib.sh"

# The title picture covers all but the last column and row, which keep
# whatever the opening left there.
TITLE=639x479+0+0

# The RGB565 picture behind an 8-bit screenshot: software GL truncates where we
# round, so the low bits of each channel may differ while the picture does not.
picture565() {
  convert "$1" -crop "$TITLE" +repage -depth 8 rgb:- |
    python3 -c 'import sys; b = sys.stdin.buffer.read(); sys.stdout.buffer.write(bytes(v >> (2 if i % 3 == 1 else 3) for i, v in enumerate(b)))' |
    sha256sum
}

show_title() {
  local path=$1 scale=$2
  start_game "LANTERN_DRIFT_PRESENT=$path" --scale "$scale"
  wait_window
  press_until Return "$GAME_DIR/img/title.bmp" 120 0 400 320
  sleep 0.5
  import -window "$WIN" "$SHOTS/present-$path-$scale.png"
  local size
  size=$(identify -format '%wx%h' "$SHOTS/present-$path-$scale.png")
  [ "$size" = "$((640 * scale))x$((480 * scale))" ] || fail "$path at ${scale}x: window is $size"
  grep -q "presenting through the .*$path" "$GAME_LOG" || fail "$path at ${scale}x: not said on stderr"
  stop_game
}

start_display
for scale in 1 2; do
  show_title surface "$scale"
  show_title renderer "$scale"
  for path in surface renderer; do
    convert "$SHOTS/present-$path-$scale.png" -filter point -resize 640x480 "$SHOTS/present-$path-$scale-1x.png"
  done
  a=$(picture565 "$SHOTS/present-surface-$scale-1x.png")
  b=$(picture565 "$SHOTS/present-renderer-$scale-1x.png")
  [ "$a" = "$b" ] || fail "at ${scale}x the window surface and the renderer show different pictures"
done
echo "present test passed: both paths show the same title at 1x and 2x"
