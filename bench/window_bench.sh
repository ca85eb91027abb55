#!/usr/bin/env bash
# The real game in a real window under Xvfb (no GPU), with SDL's dummy sound
# device so that the sound and the soundfont load as on a desktop: the time to
# the first frame shown, the share of a core on the idle title and in play, and
# the resident memory. Each figure is the min and median of RUNS runs.
#   bench/window_bench.sh [BUILD_GAME_DIR] [RUNS]  (default build/game, 5)
#   LANTERN_DRIFT_PRESENT=renderer bench/window_bench.sh  measures the renderer instead
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
game_dir=$(cd "${1:-$root/build/game}" && pwd)
runs=${2:-5}
shots=$(mktemp -d)
source "$root/tests/e2e/lib.sh" "$game_dir" "$shots"
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
hz=$(getconf CLK_TCK)

# utime + stime of the game, in clock ticks.
cpu_ticks() { awk '{print $14 + $15}' "/proc/$GAME_PID/stat"; }

# Percent of one core the game used over the next SECONDS seconds.
core_share() {
  local before after
  before=$(cpu_ticks)
  sleep "$1"
  after=$(cpu_ticks)
  echo "scale=2; ($after - $before) * 100 / ($hz * $1)" | bc
}

# Milliseconds from the start until the window shows something other than black.
first_frame_ms() {
  local start=$1 now win
  for _ in $(seq 2000); do
    win=$(xdotool search --onlyvisible --name "^Lantern Drift Ver.2$" 2>/dev/null | tail -n 1)
    if [ -n "$win" ] && [ "$(import -window "$win" -resize 1x1! -format '%[fx:maxima>0.02]' info: 2>/dev/null)" = 1 ]; then
      now=$(date +%s%N)
      echo $(((now - start) / 1000000))
      return
    fi
  done
  echo "never"
}

stats() { sort -n | awk '{a[NR] = $1} END {printf "min %s median %s", a[1], a[int((NR + 1) / 2)]}'; }

start_display
: >"$shots/first" >"$shots/title" >"$shots/play" >"$shots/rss"
for run in $(seq "$runs"); do
  start=$(date +%s%N)
  start_game
  first_frame_ms "$start" >>"$shots/first"
  wait_window
  press_until Return "$game_dir/img/title.bmp" 120 0 400 320
  sleep 2
  core_share 10 >>"$shots/title"
  key Return
  press_until Return "$game_dir/img/gauge_base.bmp" 200 0 220 32
  xdotool keydown --window "$WIN" Up
  core_share 8 >>"$shots/play"
  xdotool keyup --window "$WIN" Up
  awk '/VmHWM/ {print $2 / 1024}' "/proc/$GAME_PID/status" >>"$shots/rss"
  [ "$run" = 1 ] && head -n 1 "$GAME_LOG"
  stop_game
done
echo "load: $(uptime)"
echo "first frame (ms):      $(stats <"$shots/first")"
echo "idle title (% core):   $(stats <"$shots/title")"
echo "play (% core):         $(stats <"$shots/play")"
echo "peak resident (MB):    $(stats <"$shots/rss")"
rm -rf "$shots"
