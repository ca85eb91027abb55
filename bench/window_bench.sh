#!/usr/bin/env bash
# The real game in a real window under Xvfb (no GPU): the time to the first
# frame shown, the share of a core on the idle title and in play, and the peak
# resident memory, with sound (SDL's dummy device, so that the mixer, the
# synthesizer and the soundfont run as on a desktop) and without (no sound
# device). Each figure is the min and median of RUNS runs; each run also times
# a memcpy of one 640x480 RGB565 frame (bench/support/frame_memcpy.cpp) and
# reads the machine's load, so that figures from a busy machine can be told apart.
#   bench/window_bench.sh [BUILD_GAME_DIR] [RUNS]  (default build/game, 5)
#   LANTERN_DRIFT_PRESENT=renderer bench/window_bench.sh  measures the renderer instead
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
game_dir=$(cd "${1:-$root/build/game}" && pwd)
runs=${2:-5}
reference=$game_dir/../bench/draw_bench
[ -x "$reference" ] || { echo "window_bench: $reference is missing; build the draw_bench target"; exit 1; }
shots=$(mktemp -d)
source "$root/tests/e2e/lib.sh" "$game_dir" "$shots"
hz=$(getconf CLK_TCK)
fps=60  # the frame limiter's rate where the display gives none, as under Xvfb

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

# Microseconds of CPU for one memcpy of a frame, timed now.
memcpy_us() {
  "$reference" --benchmark_filter='^BM_FrameMemcpy$' --benchmark_format=csv 2>/dev/null |
    awk -F, '/^"BM_FrameMemcpy"/ {print $4 + 0}'
}

load_now() { cut -d' ' -f1 /proc/loadavg; }

# Milliseconds from exec until the first frame is shown: the frame limiter's
# first sleep on the main thread follows the first present. Under strace, which
# stops only at the two calls it is asked for; without -f it would ignore
# --seccomp-bpf and stop at every call, adding about 150 ms.
first_frame_ms() {
  local log=$shots/strace.log tracer game line start shown
  rm -f "$log"  # a line left by the run before would be read as this one's
  (cd "$WORK" && exec strace -f --seccomp-bpf -ttt -e trace=execve,clock_nanosleep -o "$log" \
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
  start=$(awk 'NR == 1 {print $2}' "$log")  # lines begin with the thread, then the time
  shown=$(awk '{print $2}' <<<"$line")
  [ -n "$line" ] && echo "($shown - $start) * 1000 / 1" | bc || echo never
}

# One run into the files named after MODE: the reference, the load, the first
# frame, the title and play shares, the peak resident memory.
measure() {
  local mode=$1
  memcpy_us >>"$shots/$mode.memcpy"
  load_now >>"$shots/$mode.load"
  make_work
  first_frame_ms >>"$shots/$mode.first"
  rm -rf "$WORK"
  WORK=
  start_game
  wait_window
  press_until Return "$game_dir/img/title.bmp" 120 0 400 320
  sleep 2
  core_share 10 >>"$shots/$mode.title"
  key Return
  press_until Return "$game_dir/img/gauge_base.bmp" 200 0 220 32
  xdotool keydown --window "$WIN" Up
  core_share 8 >>"$shots/$mode.play"
  xdotool keyup --window "$WIN" Up
  awk '/VmHWM/ {print $2 / 1024}' "/proc/$GAME_PID/status" >>"$shots/$mode.rss"
  head -n 1 "$GAME_LOG" >"$shots/$mode.said"
  stop_game
}

# "min M median D" of the numbers in a file.
stats() {
  sort -n "$1" | awk '{a[NR] = $1} END {printf "min %8.2f  median %8.2f", a[1], a[int((NR + 1) / 2)]}'
}

# A share of a core as CPU per frame, in memcpys of the run's reference.
in_memcpys() {
  paste "$1" "$2" | awk -v fps="$fps" '{print $1 / 100 * 1e6 / fps / $2}' >"$1.memcpys"
  stats "$1.memcpys"
}

report() {
  local mode=$1 m=$shots/$1
  echo "$mode: $(cat "$m.said")"
  echo "  load (1 min):           $(stats "$m.load")"
  echo "  memcpy of a frame (us): $(stats "$m.memcpy")"
  echo "  first frame (ms):       $(stats "$m.first")"
  echo "  idle title (% core):    $(stats "$m.title")   per frame in memcpys: $(in_memcpys "$m.title" "$m.memcpy")"
  echo "  play (% core):          $(stats "$m.play")   per frame in memcpys: $(in_memcpys "$m.play" "$m.memcpy")"
  echo "  peak resident (MB):     $(stats "$m.rss")"
}

start_display
# Runs alternate between the two modes, so that both see the same machine.
for run in $(seq "$runs"); do
  SDL_AUDIODRIVER=dummy measure sound
  SDL_AUDIODRIVER=none measure silent
done
echo "$runs runs, $(nproc) cores, $(grep -m 1 'model name' /proc/cpuinfo | cut -d: -f2-)"
report sound
report silent
rm -rf "$shots"
