#!/usr/bin/env bash
# Runs the whole test suite headless: a private Xvfb display for the window and
# OpenGL tests (Mesa's software renderer) and SDL's dummy audio driver.
set -euo pipefail
build=${1:-build}
export SDL_AUDIODRIVER=dummy
export LIBGL_ALWAYS_SOFTWARE=1
xvfb_pid=
cleanup() { [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true; }
trap cleanup EXIT
if command -v Xvfb >/dev/null; then
  fifo=$(mktemp -u); mkfifo "$fifo"
  # -noreset: without it the server resets whenever its last client leaves,
  # and a client connecting at that moment is turned away.
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$fifo" >/dev/null 2>&1 &
  xvfb_pid=$!
  read -r -t 20 num <"$fifo" || { echo "Xvfb did not start" >&2; exit 1; }
  rm -f "$fifo"
  export DISPLAY=":$num"
fi
cd "$build"
ctest -j2 --output-on-failure --timeout 300
