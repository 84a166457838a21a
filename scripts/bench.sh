#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds and runs every benchmark; each prints its own figures.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh bench
cmake --preset default
cmake --build --preset default
for bench in build/default/benchmarks/bench_*; do
  [[ -f "$bench" && -x "$bench" ]] || continue
  echo "== $(basename "$bench")"
  "$bench" "$@"
done

# The window benchmark needs an X server whose screen holds its largest window (4000x3000).
echo "== bench_window"
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 4096x3072x24" build/default/benchmarks/window/bench_window

# The game at the 1 ms period on a 1920x1080 Wayland output at 100, 150 and 200 %: the window
# fills the output, whose logical size shrinks as its scale grows.
for scale_and_size in "1 1920x1080" "1.5 1280x720" "2 960x540"; do
  read -r scale size <<<"$scale_and_size"
  echo "== bench_window on sway, output 1920x1080 at scale $scale"
  QT_QPA_PLATFORM=wayland python3 tests/e2e/run_wayland.py --mode 1920x1080 --scale "$scale" \
    --run build/default/benchmarks/window/bench_window --fast-ticks-at "$size"
done


scripts/bench-displays.sh
