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
  echo "## CPU use while playing"
  echo
  echo "The real executable in a real 640 × 480 window, a Normal game started by a real click;"
  echo "user and system time of the process over ten seconds. Almost all of it is Mesa's"
  echo "software rasteriser filling the frame (background, pattern, board, particles):"
  echo "the turning background pattern alone costs about a sixth of a core and the block sheet"
  echo "about a seventh (measured by leaving each out). On this renderer the aim of a third of"
  echo "a core is not met; with a hardware OpenGL driver the game's own share is the update"
  echo "and the render's CPU side above, about 2 % of a core."
  echo
  run bench/cpu_use.sh "$build" 10
  echo
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
