#!/usr/bin/env bash
# Runs every benchmark, with the same headless display as the tests.
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
export SDL_AUDIODRIVER=dummy
status=0
for b in "$build"/bench/bench_*; do
  [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  if command -v xvfb-run >/dev/null; then
    xvfb-run -a -s "-screen 0 1024x768x24 -noreset" "$b" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true || status=1
  else
    "$b" || status=1
  fi
done
# The real binary's pace in the menus and in play.
if command -v xvfb-run >/dev/null && command -v xdotool >/dev/null; then
  echo "== pace of the game binary"
  xvfb-run -a -s "-screen 0 1024x768x24 -noreset" bash "$(dirname "$0")/bench-pace.sh" "$build" || status=1
  echo "== memory of the game binary"
  xvfb-run -a -s "-screen 0 1024x768x24 -noreset" bash "$(dirname "$0")/bench-memory.sh" "$build" || status=1
fi
exit $status
