#!/usr/bin/env bash
# The game's pace on this machine: the real binary at 800 x 600 on the
# software renderer, driven by X input as a player would, 12 s in the menus
# and 12 s in play (the level waiting for its click, the scene drawn whole).
# Drawn frames are counted by a preloaded wrapper of the buffer swap (so any
# build can be measured); updates come from the game's own log when it
# writes them. Run under a display (xvfb-run).
#   bench-pace.sh BUILD_DIR [GAME_BINARY]
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
binary=${2:-$build/game/nimbara}
seconds=${NB_PACE_SECONDS:-12}
# shellcheck source=bench-game-folder.sh
source "$(dirname "$0")/bench-game-folder.sh"
work=$(bench_game_folder "$build/game")
trap 'rm -rf "$work"' EXIT

cd "$work"
NB_SWAP_LOG=$work/swaps.txt LD_PRELOAD=$build/bench/libswap_counter.so SDL_AUDIODRIVER=dummy "$binary" --data "$work" --user "$work" &
pid=$!
window=$(xdotool search --sync --onlyvisible --pid "$pid" --name '^Nimbara$' | head -n 1)
key() { xdotool key --window "$window" "$1"; sleep 0.4; }
now() { date +%s%3N; }
cpu() { awk '{ print ($14 + $15) * 10 }' "/proc/$pid/stat"; }  # ms of CPU, at 100 ticks a second
sleep 1
xdotool mousemove --window "$window" 790 590
key Return                     # the splash gives way to the main menu
sleep 2
menu_from=$(now); menu_cpu=$(cpu); sleep "$seconds"; menu_to=$(now); menu_cpu=$(($(cpu) - menu_cpu))
key Return; key Up; key Return  # a new player
xdotool type --delay 40 --window "$window" Bench; sleep 0.4
key Return; key Down; key Return
xdotool mousemove --window "$window" 790 590
key Return; key Down; key Return; key Return  # a new game in the first mode
sleep 6                        # the loading screen and the intro
play_from=$(now); play_cpu=$(cpu); sleep "$seconds"; play_to=$(now); play_cpu=$(($(cpu) - play_cpu))
kill -TERM "$pid"
wait "$pid" || true

rate() {  # frames swapped between two times, a second
  awk -v a="$1" -v b="$2" '$1 >= a && $1 < b { n++ } END { printf "%.1f", n * 1000 / (b - a) }' swaps.txt
}
per_frame() {  # CPU ms a drawn frame between two times
  awk -v a="$1" -v b="$2" -v c="$3" '$1 >= a && $1 < b { n++ } END { printf "%.1f", n ? c / n : 0 }' swaps.txt
}
updates() { grep -o "Pace $1: .*" Log.txt | tail -n 1 | sed 's/.*and \([0-9.]*\) updates.*/\1/' || true; }
echo "$(basename "$binary") at 800 x 600: menus $(rate "$menu_from" "$menu_to") frames drawn and" \
  "$(updates 'in the menus') updates a second, $(per_frame "$menu_from" "$menu_to" "$menu_cpu") ms CPU a frame;" \
  "play $(rate "$play_from" "$play_to") frames drawn and $(updates 'in play') updates a second," \
  "$(per_frame "$play_from" "$play_to" "$play_cpu") ms CPU a frame"
