#!/usr/bin/env bash
# Runs every libFuzzer target of a fuzz build for a bounded time, starting
# from its seeds and the inputs that once failed. New inputs it finds go to a
# scratch corpus in the build folder; an input that fails is kept there too
# and ends the run with an error: copy it to tests/fuzz/regressions/<name>/
# once fixed, where every build replays it.
#   tests/fuzz/run.sh BUILD_DIR [SECONDS]
set -euo pipefail
build=$1
seconds=${2:-30}
here=$(cd "$(dirname "$0")" && pwd)
failed=0
for fuzzer in "$build"/tests/fuzz/*_fuzz; do
  name=$(basename "$fuzzer" _fuzz)
  # Absolute: a target may change its working directory.
  work="$(realpath "$build")/fuzz-work/$name"
  mkdir -p "$work/corpus" "$work/failures"
  seeds=("$here/corpus/$name")
  [ -d "$here/regressions/$name" ] && seeds+=("$here/regressions/$name")
  echo "fuzzing $name for ${seconds}s"
  # Standard output is closed for the target: the decoders' warnings would
  # drown the fuzzer's own lines.
  if ! "$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=3072 -max_len=65536 \
      -close_fd_mask=1 -print_final_stats=1 -artifact_prefix="$work/failures/" \
      "$work/corpus" "${seeds[@]}" > "$work/log.txt" 2>&1; then
    echo "FAILED: $name; the input is in $work/failures/, the log in $work/log.txt"
    tail -40 "$work/log.txt"
    failed=1
  else
    grep -E "^stat::number_of_executed_units|^stat::peak_rss_mb" "$work/log.txt" | sed "s/^/  /"
  fi
done
exit $failed
