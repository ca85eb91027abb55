# Shared steps of the real-window tests: an Xvfb display, the game started in
# a scratch folder beside the generated content, xdotool to drive it.
set -u

GAME_DIR=$1
SHOTS=$2
E2E_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
WM_CLOSE=${WM_CLOSE:-$(dirname "$GAME_DIR")/tests/wm_close}
mkdir -p "$SHOTS"

fail() {
  echo "FAIL: $*"
  [ -n "${GAME_LOG:-}" ] && [ -f "$GAME_LOG" ] && sed 's/^/  game: /' "$GAME_LOG"
  exit 1
}

start_display() {
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 "${SCREEN:-1024x768x24}" -noreset >/dev/null 2>&1 &
    XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do
      xdpyinfo >/dev/null 2>&1 && return 0
      sleep 0.1
    done
    kill "$XVFB_PID" 2>/dev/null
  done
  fail "no Xvfb display could be started"
}

# A fresh folder holding config.ini (windowed, or the text of GAME_CONFIG) and
# a link to the data files.
make_work() {
  WORK=$(mktemp -d)
  ln -s "$GAME_DIR/data" "$WORK/data"
  printf '%b' "${GAME_CONFIG:-FULL_SCREEN=0\r\n}" > "$WORK/config.ini"
}

# Starts the game in that folder (made now unless the test made it first);
# leading NAME=VALUE arguments go to its environment, the others to the game.
start_game() {
  local settings=()
  while [ $# -gt 0 ] && [[ "$1" == *=* ]]; do settings+=("$1"); shift; done
  [ -n "${WORK:-}" ] || make_work
  GAME_LOG="$WORK/game.log"
  (cd "$WORK" && exec env "${settings[@]}" "$GAME_DIR/lantern-drift" "$@" >"$GAME_LOG" 2>&1) &
  GAME_PID=$!
}

# A display with a window manager, for the rules only a window manager applies.
start_display_with_wm() {
  start_display
  openbox >/dev/null 2>&1 &
  WM_PID=$!
  sleep 0.5
}

# Closes the game's window as a window manager does, waits for a clean end and
# removes its folder.
close_game() {
  "$WM_CLOSE" "$WIN"
  wait_exit
  rm -rf "$WORK"
  WORK=
}

# Ends the game started last and removes its folder.
stop_game() {
  kill "$GAME_PID" 2>/dev/null
  wait "$GAME_PID" 2>/dev/null
  GAME_PID=
  rm -rf "$WORK"
  WORK=
}

cleanup() {
  [ -n "${GAME_PID:-}" ] && kill "$GAME_PID" 2>/dev/null
  [ -n "${WM_PID:-}" ] && kill "$WM_PID" 2>/dev/null
  [ -n "${XVFB_PID:-}" ] && kill "$XVFB_PID" 2>/dev/null
  [ -n "${WORK:-}" ] && rm -rf "$WORK"
}
trap cleanup EXIT

# The game window, once it has settled: setting up the renderer replaces the
# first X window, so the same one must be seen twice.
wait_window() {
  local seen=""
  for _ in $(seq 100); do
    WIN=$(xdotool search --onlyvisible --name "^Lantern Drift Ver.2$" 2>/dev/null | tail -n 1)
    if [ -n "$WIN" ] && [ "$WIN" = "$seen" ]; then return 0; fi
    seen=$WIN
    sleep 0.3
  done
  fail "the game window did not appear"
}

# Top-level windows other than the game's (a message box is one).
other_windows() {
  xwininfo -root -children | awk '/^ +0x/ {print $1}' | while read -r w; do
    [ "$((w))" -eq "$WIN" ] && continue
    xwininfo -id "$w" 2>/dev/null | grep -q 'Map State: IsViewable' && echo "$w"
  done
}

wait_box() {
  for _ in $(seq 50); do
    BOX=$(other_windows | head -n 1)
    [ -n "$BOX" ] && return 0
    sleep 0.1
  done
  fail "no message box appeared"
}

key() { xdotool key --window "$WIN" "$@"; sleep 0.15; }

shot() { import -window root "$SHOTS/$1.png"; }

# The colour of one pixel of the last screenshot, as #RRGGBB.
pixel() { convert "$SHOTS/$1.png" -format "%[hex:p{$2,$3}]" info:; }

wait_exit() {
  for _ in $(seq 100); do
    kill -0 "$GAME_PID" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$GAME_PID" 2>/dev/null && fail "the game did not end"
  wait "$GAME_PID"
  local code=$?
  GAME_PID=
  [ "$code" -eq 0 ] || fail "the game exited with $code"
}

# A screenshot of the game window alone, at 640x480 (a full-screen window is scaled back).
window_shot() {
  local info x y w h
  info=$(xwininfo -id "$WIN")
  x=$(awk '/Absolute upper-left X:/ {print $4}' <<<"$info")
  y=$(awk '/Absolute upper-left Y:/ {print $4}' <<<"$info")
  w=$(awk '/Width:/ {print $2}' <<<"$info")
  h=$(awk '/Height:/ {print $2}' <<<"$info")
  import -window root -crop "${w}x$h+$x+$y" +repage -filter point -resize '640x480!' "$SHOTS/$1.png"
}

# Whether the region (x y w h) of the window looks like the same region of a picture.
matches() {
  local shot=$1 ref=$2 geometry="$5x$6+$3+$4" differ
  convert "$SHOTS/$shot.png" -crop "$geometry" +repage "$WORK/a.png"
  convert "$ref" -crop "$geometry" +repage "$WORK/b.png"
  differ=$(compare -metric AE -fuzz 6% "$WORK/a.png" "$WORK/b.png" null: 2>&1 | cut -d' ' -f1)
  [[ "$differ" =~ ^[0-9.e+]+$ ]] || fail "compare: $differ"
  [ "${differ%.*}" -le $(($5 * $6 / 50)) ]
}

# Presses a key until the window's region looks like the picture's; fails after a while.
press_until() {
  local keyname=$1 ref=$2 x=$3 y=$4 w=$5 h=$6 tries=${7:-60}
  for _ in $(seq "$tries"); do
    window_shot probe
    matches probe "$ref" "$x" "$y" "$w" "$h" && return 0
    [ -n "$keyname" ] && key "$keyname"
    sleep 0.25
  done
  fail "the screen never looked like $(basename "$ref")"
}
