#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds and runs every benchmark; each prints its own figures.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh test
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
