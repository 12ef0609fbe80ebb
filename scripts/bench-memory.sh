#!/usr/bin/env bash
# The game's memory on this machine: the real binary at 800 x 600 on the
# software renderer, in the main menu after start-up and again after 50 level
# starts (the NB_LEVEL_LOOP hook walks the levels 1..32 and back), each read
# from /proc: resident memory (Rss) and anonymous memory (Pss_Anon). Also the
# time from the start of the process to its first drawn frame. Run under a
# display (xvfb-run).
#   bench-memory.sh BUILD_DIR [GAME_BINARY]
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
binary=${2:-$build/game/nimbara}
starts=${NB_LEVEL_STARTS:-50}
# shellcheck source=bench-game-folder.sh
source "$(dirname "$0")/bench-game-folder.sh"
work=$(bench_game_folder "$build/game")
trap 'rm -rf "$work"' EXIT
cd "$work"

kb() { awk -v k="$1:" '$1 == k { print $2 }' "/proc/$2/smaps_rollup"; }
mb() { awk -v v="$1" 'BEGIN { printf "%.1f", v / 1024 }'; }

# One run: start, wait for the menu (and the level loop when asked), measure.
measure() {
  local loop=$1 label=$2
  rm -f swaps.txt Log.txt
  local from
  from=$(date +%s%3N)
  NB_LEVEL_LOOP=$loop NB_SWAP_LOG=$work/swaps.txt LD_PRELOAD=$build/bench/libswap_counter.so \
    SDL_AUDIODRIVER=dummy "$binary" --data "$work" --user "$work" &
  local pid=$!
  local window
  window=$(xdotool search --sync --onlyvisible --pid "$pid" --name '^Nimbara$' | head -n 1)
  sleep 1
  xdotool mousemove --window "$window" 790 590
  xdotool key --window "$window" Return  # the splash gives way to the main menu
  if [ "$loop" -gt 0 ]; then
    for _ in $(seq 600); do grep -q "Level loop" Log.txt 2>/dev/null && break; sleep 0.5; done
  fi
  sleep 4
  local rss anon
  rss=$(kb Rss "$pid")
  anon=$(kb Pss_Anon "$pid")
  kill -TERM "$pid"
  wait "$pid" || true  # the swap log is written at exit
  echo "$label: resident $(mb "$rss") MB, anonymous $(mb "$anon") MB," \
    "first frame $(($(head -n 1 swaps.txt) - from)) ms after start"
}

echo "$(basename "$binary") at 800 x 600 in the main menu:"
measure 0 "after start-up"
measure "$starts" "after $starts level starts"
