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
    xvfb-run -a -s "-screen 0 1024x768x24" "$b" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true || status=1
  else
    "$b" || status=1
  fi
done
exit $status
