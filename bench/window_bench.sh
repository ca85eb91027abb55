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

# Milliseconds from exec until the first frame is shown: the frame limiter's
# first sleep on the main thread follows the first present. Under strace, which
# stops only at the two calls it is asked for.
first_frame_ms() {
  local log=$shots/strace.log tracer game line start shown
  rm -f "$log"  # a line left by the run before would be read as this one's
  (cd "$WORK" && exec strace --seccomp-bpf -ttt -e trace=execve,clock_nanosleep -o "$log" \
    "$game_dir/lantern-drift" >/dev/null 2>&1) &
  tracer=$!
  for _ in $(seq 300); do
    line=$(grep -m 1 "clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME" "$log" 2>/dev/null)
    [ -n "$line" ] && break
    sleep 0.1
  done
  game=$(pgrep -P "$tracer")
  [ -n "$game" ] && kill -KILL "$game"
  wait "$tracer" 2>/dev/null
  start=$(awk 'NR == 1 {print $1}' "$log")
  shown=$(awk '{print $1}' <<<"$line")
  [ -n "$line" ] && echo "($shown - $start) * 1000 / 1" | bc || echo never
}

stats() { sort -n | awk '{a[NR] = $1} END {printf "min %s median %s", a[1], a[int((NR + 1) / 2)]}'; }

start_display
: >"$shots/first" >"$shots/title" >"$shots/play" >"$shots/rss"
for run in $(seq "$runs"); do
  make_work
  first_frame_ms >>"$shots/first"
  rm -rf "$WORK"
  WORK=
  start_game
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
