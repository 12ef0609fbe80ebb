# Sourced by the benchmarks of the real binary: bench_game_folder GAME_DIR
# prints a scratch game folder (the caller removes it) with a copy of the
# build's settings.ini, windowed, in English at 800 x 600, beside links to its
# data and anim.txt, so that a run never touches the build's own files.
bench_game_folder() {
  local game_dir=$1 work
  work=$(mktemp -d)
  cp "$game_dir/settings.ini" "$work/"
  ln -s "$game_dir/data" "$work/data"
  ln -s "$game_dir/anim.txt" "$work/anim.txt"
  sed -i -e 's/^fullscreen=.*/fullscreen=false/' -e 's/^Language=.*/Language=en/' \
    -e 's/^WIDTH=.*/WIDTH=800/' -e 's/^HEIGHT=.*/HEIGHT=600/' "$work/settings.ini"
  echo "$work"
}
