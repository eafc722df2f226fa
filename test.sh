#!/usr/bin/env bash
# Builds everything (installing what is missing) and runs the whole suite
# headless: a virtual X display for the window, OpenAL's null output for sound.
# The display must not reset when its last client leaves, or a test starting
# at that moment finds no display.
set -euo pipefail
cd "$(dirname "$0")"
. tools/deps.sh
vx_ensure_packages $VX_BUILD_PACKAGES $VX_TEST_PACKAGES
vx_build
export ALSOFT_DRIVERS=null
xvfb-run -a -s "-screen 0 1024x768x24 -noreset" \
  ctest --test-dir build --output-on-failure -j"$(nproc)" "$@"
