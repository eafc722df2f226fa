# What the benchmarks of the real game share, sourced by them: a virtual
# display of their own and a scratch folder that sees the build's data.

# on_display SCREEN SCRIPT ARGS...: runs the script again under xvfb-run,
# unless it already runs there.
on_display() {
  local screen=$1
  shift
  [ -n "${INSIDE_XVFB:-}" ] && return 0
  INSIDE_XVFB=1 exec xvfb-run -a -s "-screen 0 $screen -noreset" "$@"
}

# enter_game_folder BUILD: a scratch folder ($work) with the build's data,
# the working directory from here on; the caller removes it.
enter_game_folder() {
  work=$(mktemp -d)
  ln -s "$1/dist/data" "$work/data"
  cd "$work"
}
