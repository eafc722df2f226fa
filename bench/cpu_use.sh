#!/usr/bin/env bash
# CPU use of the real game per second of play, in a real window on a virtual
# display with Mesa's software renderer: the game is started, a Normal game is
# begun with a real click, and the process's user and system time is read
# from /proc over the measured seconds. The main loop sleeps between frames:
# what remains is nearly all the software renderer's.
# Usage: bench/cpu_use.sh [build folder] [seconds]   (needs xvfb-run, xdotool)
set -euo pipefail
build=$(realpath "${1:-build}")
seconds=${2:-10}

. "$(dirname "$0")/game_folder.sh"
on_display 1024x768x24 "$0" "$build" "$seconds"
enter_game_folder "$build"
trap 'kill "$game" 2>/dev/null; rm -rf "$work"' EXIT
ALSOFT_DRIVERS=null "$build/dist/tumblast" > /dev/null &
game=$!

window=""
for _ in $(seq 100); do
  window=$(xdotool search --onlyvisible --name '^Tumblast - Ridazoz$' 2>/dev/null | head -1) && [ -n "$window" ] && break
  sleep 0.1
done
[ -n "$window" ] || { echo "no game window"; exit 1; }
sleep 1.5
xdotool mousemove --window "$window" 256 336 mousedown 1 sleep 0.15 mouseup 1
sleep 3

ticks=$(getconf CLK_TCK)
cpu() { awk '{ print $14 + $15 }' "/proc/$game/stat"; }
start_cpu=$(cpu)
start_time=$(date +%s.%N)
sleep "$seconds"
end_cpu=$(cpu)
end_time=$(date +%s.%N)
awk -v c0="$start_cpu" -v c1="$end_cpu" -v t0="$start_time" -v t1="$end_time" -v hz="$ticks" \
  'BEGIN { used = (c1 - c0) / hz; wall = t1 - t0;
           printf "CPU use while playing: %.3f s of CPU in %.1f s = %.1f %% of one core\n", used, wall, 100 * used / wall }'
