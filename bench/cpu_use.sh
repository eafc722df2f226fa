#!/usr/bin/env bash
# CPU use of the real game per second of play, in a real window on a virtual
# display with Mesa's software renderer: the game is started, a Normal game is
# begun with a real click, and the process's user and system time is read
# from /proc over the measured seconds, with the frames shown per second
# (counted by a preloaded wrapper of the buffer swap). The main loop sleeps
# between frames: what remains is nearly all the software renderer's.
# With "fullscreen", F11 then takes the game to a 1920 x 1080 screen.
# Usage: bench/cpu_use.sh [build folder] [seconds] [fullscreen]   (needs xvfb-run, xdotool)
set -euo pipefail
build=$(realpath "${1:-build}")
seconds=${2:-10}
mode=${3:-window}
screen=1024x768x24
[ "$mode" = fullscreen ] && screen=1920x1080x24

. "$(dirname "$0")/game_folder.sh"
on_display "$screen" "$0" "$build" "$seconds" "$mode"
enter_game_folder "$build"
trap 'kill "$game" 2>/dev/null; rm -rf "$work"' EXIT
counter=""
[ -f "$build/bench/libswap_count.so" ] && counter="$build/bench/libswap_count.so"
SWAP_COUNT_FILE="$work/swaps" LD_PRELOAD="$counter" ALSOFT_DRIVERS=null "$build/dist/tumblast" > /dev/null &
game=$!

window=""
for _ in $(seq 100); do
  window=$(xdotool search --onlyvisible --name '^Tumblast - Ridazoz$' 2>/dev/null | head -1) && [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "no game window"; exit 1; }
sleep 1.5
xdotool mousemove --window "$window" 256 336 mousedown 1 sleep 0.15 mouseup 1
if [ "$mode" = fullscreen ]; then
  sleep 1
  xdotool key --window "$window" F11
fi
sleep 3

ticks=$(getconf CLK_TCK)
cpu() { awk '{ print $14 + $15 }' "/proc/$game/stat"; }
swaps() { if [ -s "$work/swaps" ]; then od -An -t u8 "$work/swaps" | tr -d ' '; else echo 0; fi; }
size=$(xwininfo -id "$window" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w "x" h }')
load=$(cut -d' ' -f1 /proc/loadavg)
start_cpu=$(cpu)
start_swaps=$(swaps)
start_time=$(date +%s.%N)
sleep "$seconds"
end_cpu=$(cpu)
end_swaps=$(swaps)
end_time=$(date +%s.%N)
awk -v c0="$start_cpu" -v c1="$end_cpu" -v t0="$start_time" -v t1="$end_time" -v hz="$ticks" \
  -v f0="$start_swaps" -v f1="$end_swaps" -v size="$size" -v load="$load" \
  'BEGIN { used = (c1 - c0) / hz; wall = t1 - t0;
           frames = f1 - f0;
           printf "CPU use while playing at %s: %.3f s of CPU in %.1f s = %.1f %% of one core, %.1f frames a second",
                  size, used, wall, 100 * used / wall, frames / wall;
           if (frames > 0) printf ", %.1f ms of CPU a frame", 1000 * used / frames;
           printf " (load %s)\n", load }'
