#!/usr/bin/env bash
# Builds everything (installing what is missing) and runs the whole suite
# headless: a virtual X display for the window, OpenAL's null output for sound.
# The display must not reset when its last client leaves, or a test starting
# at that moment finds no display.
# Then the same suite once more in a second build (build-sanitize) under
# AddressSanitizer and UndefinedBehaviorSanitizer, and every fuzz target for
# VX_FUZZ_SECONDS seconds each (30 unless set; 0 skips fuzzing). Arguments
# go to ctest for both builds.
set -euo pipefail
cd "$(dirname "$0")"
. tools/deps.sh
vx_ensure_packages $VX_BUILD_PACKAGES $VX_TEST_PACKAGES $VX_CHECK_PACKAGES
export ALSOFT_DRIVERS=null

# The game folder is the one play.sh starts the game in: tests work in
# scratch folders of their own and leave a player's saved state as it was.
run_suite() {
  local state=$1/dist/.quibbostate before
  before=$(cksum 2>/dev/null < "$state" || echo none)
  xvfb-run -a -s "-screen 0 1024x768x24 -noreset" \
    ctest --test-dir "$1" --output-on-failure -j"$(nproc)" "${@:2}"
  if [ "$(cksum 2>/dev/null < "$state" || echo none)" != "$before" ]; then
    echo "the suite changed $state" >&2
    return 1
  fi
}

vx_build
run_suite build "$@"

vx_build_checked
suppressions=$PWD/tests/sanitizer-suppressions
(
  # Leaks are scanned by default; the game executable turns its own scan off.
  export ASAN_OPTIONS=abort_on_error=0:strict_string_checks=1:detect_stack_use_after_return=0
  export LSAN_OPTIONS=suppressions=$suppressions/leaks.txt:print_suppressions=0
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1:suppressions=$suppressions/undefined.txt
  run_suite build-sanitize "$@"
  seconds=${VX_FUZZ_SECONDS:-30}
  if [ "$seconds" -gt 0 ]; then tests/fuzz/run.sh build-sanitize "$seconds"; fi
)
