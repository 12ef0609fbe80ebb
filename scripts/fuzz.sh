#!/usr/bin/env bash
# Runs every fuzz target (each fuzz/*.cpp) for a set time on a corpus seeded
# from the game's own generated files, JOBS targets at a time:
#   scripts/fuzz.sh [seconds per target] [build dir of the game]
# Prints one line per target: executions, executions a second, coverage; fails
# on a crash, leak, timeout or sanitizer report (the reproducer is left in the
# fuzz build folder). A target may set its own libFuzzer flags in a line
# "// fuzz flags: ..." of its source; -max_len=65536 otherwise.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
game_build=${2:-build}
fuzz_build=${FUZZ_BUILD:-build-fuzz}
game=$game_build/game
[ -d "$game/data" ] || { echo "no generated game data in $game: build the game first" >&2; exit 1; }
if ! command -v clang++ >/dev/null; then echo "fuzzing needs clang++ (and libclang-rt-dev)" >&2; exit 1; fi
cmake -S . -B "$fuzz_build" -DNB_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$fuzz_build" --target fuzz_all -j"${JOBS:-2}" >"$fuzz_build/build.log" 2>&1 ||
  { tail -40 "$fuzz_build/build.log"; exit 1; }

# Seeds: the shipped files each reader reads; a target with none (a new
# reader) starts from an empty folder, which libFuzzer grows on its own.
seed() {  # seed NAME FILES...
  local dir=$fuzz_build/corpus/$1; shift
  mkdir -p "$dir"
  for f in "$@"; do [ -f "$f" ] && cp "$f" "$dir/" || true; done
}
# Line-by-line readers fuzz faster on short inputs: their seeds are the files
# cut into pieces of whole lines, each under 4 KB.
seed_lines() {  # seed_lines NAME FILES...
  local dir=$fuzz_build/corpus/$1; shift
  mkdir -p "$dir"
  for f in "$@"; do [ -f "$f" ] && split -C 4000 "$f" "$dir/${f##*/}." || true; done
}
seed_lines line_tokenizer "$game/anim.txt" "$game"/data/fonts/*.fnt
seed_lines escaped_ini "$game"/data/textes_*.ini
seed animation_file "$game/anim.txt"
seed_lines settings "$game/settings.ini"
seed_lines font_description "$game"/data/fonts/*.fnt
seed x_mesh "$game"/data/meshes/*.x
# The shipped pictures are larger than the image target decodes: its seeds
# below are small ones (scripts/fuzz-seeds.py), these test the refusal.
seed image "$game"/data/textures/particle.png "$game"/data/textures/clouds.jpg
seed level_file "$game"/data/levels/*.ilf
seed level_source data/levels/*.lvl
seed records "$game"/data/record.dat
python3 scripts/fuzz-seeds.py "$fuzz_build/corpus"

# fuzz_one TARGET: one line of results; non-zero on any report.
fuzz_one() {
  local target=$1 name=${1##*/fuzz_}
  local log=$fuzz_build/fuzz-$name.log flags
  flags=$(sed -n 's|^// fuzz flags: ||p' "fuzz/$name.cpp" 2>/dev/null)
  mkdir -p "$fuzz_build/corpus/$name" "$fuzz_build/crashes"
  # shellcheck disable=SC2086 # the flags are words
  if "$target" -max_total_time="$seconds" -max_len=65536 ${flags} -timeout=10 -rss_limit_mb=2048 \
       -print_final_stats=1 -artifact_prefix="$fuzz_build/crashes/$name-" "$fuzz_build/corpus/$name" >"$log" 2>&1; then
    local runs cov
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo 0)
    cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | grep -o '[0-9]*' || echo 0)
    echo "fuzz $name: $runs executions, $((runs / seconds)) a second, coverage $cov edges, ${seconds} s"
  else
    echo "fuzz $name: FAILED (see $log)"; tail -30 "$log"; return 1
  fi
}

# A short quarantine and no fill of fresh blocks keep the allocator's pages
# warm: the line readers, which allocate per line, run about 2.5 times as
# many inputs a second. Use after free is still caught within the 16 MB
# quarantine.
export ASAN_OPTIONS=${ASAN_OPTIONS:-quarantine_size_mb=16:max_malloc_fill_size=0}

status=0 running=0
for target in "$fuzz_build"/fuzz/fuzz_*; do
  if [ "$running" -ge "${JOBS:-2}" ]; then wait -n || status=1; running=$((running - 1)); fi
  fuzz_one "$target" &
  running=$((running + 1))
done
while [ "$running" -gt 0 ]; do wait -n || status=1; running=$((running - 1)); done
exit $status
