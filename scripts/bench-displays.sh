#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The window benchmark on every display server in one table: X11 (Xvfb), sway, GNOME's mutter and,
# where installed, KDE's KWin. scripts/bench.sh ends with it; it also runs alone.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh bench
cmake --preset default >/dev/null
cmake --build --preset default --target bench_window

# One table of the display servers: each before (Qt's timer and Qt's painting, as the game had
# them) and after (the game's own timer and presenter). Every compositor is headless, with an
# output larger than the biggest window measured.
rows=()
table_row() {
  local label=$1 output
  shift
  echo "== bench_window --table-row: $label"
  output=$("$@") || return 1
  echo "$output"
  header=$(grep -m 2 '^|' <<<"$output")
  rows+=("$(grep '^|' <<<"$output" | tail -n 1)")
}
before=(env QUILLMOOR_TIMER=qt QUILLMOOR_PRESENT=qt)
bench_window=build/default/benchmarks/window/bench_window
on_x11=(env QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 2560x1440x24")
on_wayland() {
  echo env QT_QPA_PLATFORM=wayland python3 tests/e2e/run_wayland.py --compositor "$1" \
    --mode 2560x1440 "$([[ "$1" == sway ]] && echo --floating)" --run
}
compositors=(sway mutter)
if command -v kwin_wayland >/dev/null 2>&1; then
  compositors+=(kwin)
fi
# On X11 the picture already went its own way before: only the timer is new there.
table_row "X11 (Xvfb), before" env QUILLMOOR_TIMER=qt "${on_x11[@]}" "$bench_window" \
  --table-row "X11 (Xvfb), before"
table_row "X11 (Xvfb), after" "${on_x11[@]}" "$bench_window" --table-row "X11 (Xvfb), after"
for compositor in "${compositors[@]}"; do
  read -r -a runner <<<"$(on_wayland "$compositor")"
  table_row "$compositor, before" "${before[@]}" "${runner[@]}" "$bench_window" \
    --table-row "$compositor, before"
  table_row "$compositor, after" "${runner[@]}" "$bench_window" --table-row "$compositor, after"
done
echo "== display servers, before and after"
echo "$header"
printf '%s\n' "${rows[@]}"
if ! command -v kwin_wayland >/dev/null 2>&1; then
  echo "(KWin is not installed: scripts/install-deps.sh bench brings it)"
fi
