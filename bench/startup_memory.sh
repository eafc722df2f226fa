#!/usr/bin/env bash
# Start-up time of the real game to its first frame and to the interactive
# title menu, and its resident memory at each image resolution level, on a
# virtual display with Mesa's software renderer.
# First frame: the window shows the loader's dark blue. Interactive: the
# loader is done and the menu's grey background shows in the corner.
# Usage: bench/startup_memory.sh [build folder] [runs]   (needs xvfb-run, xdotool, ImageMagick)
set -euo pipefail
build=$(realpath "${1:-build}")
runs=${2:-5}

. "$(dirname "$0")/game_folder.sh"
on_display 1600x1000x24 "$0" "$build" "$runs"
enter_game_folder "$build"
game=""
trap '[ -n "$game" ] && kill "$game" 2>/dev/null; rm -rf "$work"' EXIT

now() { date +%s.%N; }
corner() { import -window "$1" -crop 1x1+4+4 -depth 8 txt:- 2>/dev/null | tail -1 | grep -o '#[0-9A-F]\{6\}' || true; }
window_of() { xdotool search --onlyvisible --pid "$1" 2>/dev/null | head -1 || true; }

start() {
  rm -f .quibbostate
  ALSOFT_DRIVERS=null "$build/dist/tumblast" > /dev/null &
  game=$!
}

stop() {
  kill "$game" 2>/dev/null || true
  wait "$game" 2>/dev/null || true
  game=""
}

echo "start-up (each run from a fresh folder):"
for run in $(seq "$runs"); do
  t0=$(now)
  start
  window=""
  until [ -n "$window" ]; do window=$(window_of "$game"); done
  first=""
  menu=""
  while [ -z "$menu" ]; do
    colour=$(corner "$window")
    # The loader clears to (40, 40, 80); the menu's background is grey.
    [ -z "$first" ] && [ "$colour" = "#282850" ] && first=$(now)
    if [ -n "$colour" ] && [ "$colour" != "#282850" ] && [ "$colour" != "#000000" ]; then
      r=${colour:1:2} g=${colour:3:2} b=${colour:5:2}
      [ "$r" = "$g" ] && [ "$g" = "$b" ] && menu=$(now)
    fi
  done
  [ -z "$first" ] && first=$menu
  awk -v t0="$t0" -v f="$first" -v m="$menu" -v n="$run" \
    'BEGIN { printf "  run %d: first frame %.0f ms, interactive menu %.0f ms\n", n, 1000 * (f - t0), 1000 * (m - t0) }'
  stop
done

echo "resident memory on the title menu, by image resolution level:"
for size in 630x470:1 640x480:2 1280x720:4; do
  geometry=${size%%:*}
  level=${size##*:}
  start
  window=""
  until [ -n "$window" ]; do window=$(window_of "$game"); done
  xdotool windowmove "$window" 0 0 windowsize "$window" "${geometry%x*}" "${geometry#*x}"
  sleep 3
  rss=$(awk '/VmRSS/ { print $2 }' "/proc/$game/status")
  echo "  level $level (${geometry} window): ${rss} KiB"
  stop
done
