#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Cross-builds the Windows program's tick-rate benchmark and runs it under Wine in Xvfb: ticks per
# second at 1, 5 and 20 ms and the process's CPU share, in the program's own message loop.
#
#   scripts/bench-windows.sh [seconds per period]
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh windows-test
cmake --preset windows >/dev/null
cmake --build build/windows -j 2 --target windows_tick_rate
export WINEPREFIX=$PWD/build/windows/wine-prefix
[[ -d "$WINEPREFIX" ]] || python3 tests/windows/wine_prefix.py make
trap 'python3 tests/windows/wine_prefix.py end' EXIT
xvfb-run -a -s "-screen 0 1280x800x24" \
  tests/windows/wine_run.sh build/windows/benchmarks/windows/windows_tick_rate.exe "${1:-5}"
