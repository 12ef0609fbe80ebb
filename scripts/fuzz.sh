#!/usr/bin/env bash
# Runs every fuzz target for a set time on a corpus seeded from the game's own
# generated files: scripts/fuzz.sh [seconds per target] [build dir of the game]
# Prints one line per target: executions, coverage, time; fails on a crash,
# leak or sanitizer report (the reproducer is left in the fuzz build folder).
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
cmake --build "$fuzz_build" --target fuzz_all -j"${JOBS:-2}" >/dev/null

# Seeds: the shipped files each reader reads.
seed() {  # seed NAME FILES...
  local dir=$fuzz_build/corpus/$1; shift
  mkdir -p "$dir"
  for f in "$@"; do [ -f "$f" ] && cp "$f" "$dir/" || true; done
}
seed line_tokenizer "$game/anim.txt" "$game"/data/fonts/*.fnt
seed escaped_ini "$game"/data/textes_*.ini
seed animation_file "$game/anim.txt"
seed settings "$game/settings.ini"
seed font_description "$game"/data/fonts/*.fnt
seed x_mesh "$game"/data/meshes/*.x
seed image "$game"/data/textures/particle.png "$game"/data/textures/sun.png "$game"/data/fonts/Small_0.png
seed level_file "$game"/data/levels/*.ilf
seed level_source data/levels/*.lvl
seed records "$game"/data/record.dat
python3 - "$fuzz_build/corpus/records" "$fuzz_build/corpus/level_stats" <<'PY'
import struct, sys, os
d = sys.argv[1]; os.makedirs(d, exist_ok=True)
name = lambda s: s.encode().ljust(64, b"\0")
open(f"{d}/empty.dat", "wb").write(struct.pack("<3i", 0, -1, 0))
profiles = struct.pack("<i", 2) + b"".join(name(n) + struct.pack("<4i", 120, 3, 2, 1) for n in ("Ann", "Bo"))
records = struct.pack("<ii", 0, 2) + b"".join(name(n) + struct.pack("<i", s) for n, s in (("Ann", 900), ("Bo", 40)))
trailer = struct.pack("<i", 0x32444D4E) + struct.pack("<12i", *range(12))
open(f"{d}/two.dat", "wb").write(profiles + records + trailer)
s = sys.argv[2]; os.makedirs(s, exist_ok=True)
open(f"{s}/two.stt", "wb").write(struct.pack("<13i", 3, 40, 20, 2, 1, 310, 0, 1, 0, 0, 1, 0, -111) * 2)
PY

status=0
for target in "$fuzz_build"/fuzz/fuzz_*; do
  name=${target##*/fuzz_}
  log=$fuzz_build/fuzz-$name.log
  mkdir -p "$fuzz_build/corpus/$name" "$fuzz_build/crashes"
  if "$target" -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=2048 -print_final_stats=1 \
       -artifact_prefix="$fuzz_build/crashes/$name-" "$fuzz_build/corpus/$name" >"$log" 2>&1; then
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo 0)
    cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | grep -o '[0-9]*' || echo 0)
    echo "fuzz $name: $runs executions, coverage $cov edges, ${seconds} s"
  else
    echo "fuzz $name: FAILED (see $log)"; tail -30 "$log"; status=1
  fi
done
exit $status
