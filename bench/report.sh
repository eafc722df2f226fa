#!/usr/bin/env bash
# Runs the game's benchmarks and writes docs/performance.md: every figure
# with the command that reproduces it, the machine it came from and its aim.
# Usage: bench/report.sh [build folder] [soak updates]
# Run it on a quiet machine: other work on the same cores shows in every figure.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
soak=${2:-100000}
out=docs/performance.md
mkdir -p docs

run() {  # command... : its output, indented as a block
  echo "    \$ $(printf '%q ' "$@")"
  "$@" 2>&1 | grep -v '^AL lib' | sed 's/^/    /'
}

# Before-and-after figures of past changes are history, kept from the last report.
history=$(sed -n '/^## Filling the frame on a software renderer/,/^## Start-up/{/^## Start-up/!p}' "$out" 2>/dev/null || true)

cpu=$(awk -F': ' '/model name/ { print $2; exit }' /proc/cpuinfo)
mesa=$(dpkg-query -W -f='${Version}' libgl1-mesa-dri 2>/dev/null || echo unknown)

{
  echo "# Performance"
  echo
  echo "Measured $(date -u +%Y-%m-%d) on $(nproc) cores of a ${cpu} with $(free -g | awk '/Mem:/ { print $2 }') GiB,"
  echo "Debian $(cat /etc/debian_version), Mesa ${mesa} (llvmpipe, software rendering) on Xvfb,"
  echo "OpenAL Soft's null output. Regenerate with \`bench/report.sh\` (a few minutes; the soak"
  echo "adds about a quarter of an hour)."
  echo
  echo "| figure | aim |"
  echo "|---|---|"
  echo "| one update on a busy board (every cell filled, all 251 particles alive) | median at most 25 µs |"
  echo "| one render, CPU side (replay of the draw list up to the last draw call) | at most 1.5 ms |"
  echo "| CPU use per second of play at 60 updates per second in a real window | at most a third of one core |"
  echo "| memory during the soak | flat after warm-up |"
  echo
  echo "## Update, render, draw calls and the collector"
  echo
  echo "Through the game's test host: the real game object, window and devices, the test's clock."
  echo "Draw calls per frame are counted on each screen; the collector's step runs after every"
  echo "call into the game, as in the real main loop."
  echo
  run xvfb-run -a -s "-screen 0 1024x768x24" "$build/bench/game_bench" 0
  echo
  echo "## CPU time per frame"
  echo
  echo "Through the game's test host: one update and one render with its buffer swap per frame,"
  echo "the process's user and system time (which counts the software renderer's threads),"
  echo "on the title menu, a game in play, a busy board (every cell filled, all particles alive)"
  echo "and the pause overlay, at three window sizes. Each figure is the median of three runs."
  echo
  run xvfb-run -a -s "-screen 0 1920x1080x24" "$build/bench/game_bench" frames
  echo
  echo "## CPU use while playing"
  echo
  echo "The real executable in a real 640 × 480 window, a Normal game started by a real click,"
  echo "then the same taken to fullscreen on a 1920 × 1080 screen with F11; user and system"
  echo "time of the process over ten seconds and the frames shown per second, three runs each"
  echo "(read the median). Almost all of it is Mesa's software rasteriser filling the frame;"
  echo "the turning background pattern alone is most of that (see below). With a hardware"
  echo "OpenGL driver the game's own share is the update and the render's CPU side above."
  echo
  for mode in window window window fullscreen fullscreen fullscreen; do
    run bench/cpu_use.sh "$build" 10 "$mode"
  done
  echo
  echo "## One layer over the window"
  echo
  echo "What a single layer over the whole window costs the renderer, drawn the ways the turning"
  echo "background could be drawn, on the game's colour-only framebuffer and with a depth buffer."
  echo
  for size in "640 480" "1280 720" "1920 1080"; do
    # shellcheck disable=SC2086  # the size is two arguments
    run xvfb-run -a -s "-screen 0 1920x1080x24" "$build/bench/fill_cost" $size
  done
  echo
  if [ -n "$history" ]; then
    echo "$history"
    echo
  fi
  echo "## Start-up and memory"
  echo
  echo "Time from starting the process to the loader's first frame and to the interactive"
  echo "title menu (read from the window's pixels, so within a screenshot's time), and resident"
  echo "memory on the title menu at each image resolution level."
  echo
  run bench/startup_memory.sh "$build" 5
  if [ "$soak" -gt 0 ]; then
    echo
    echo "## Soak"
    echo
    echo "Random pointer play (presses, drags, releases, now and then the back key) with a render"
    echo "after every update; each time the title menu shows, the next difficulty is started."
    echo
    run xvfb-run -a -s "-screen 0 1024x768x24" "$build/bench/game_bench" "$soak"
  fi
} > "$out"
echo "wrote $out"
