#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds and runs every benchmark; each prints its own figures.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset default
cmake --build --preset default
for bench in build/default/benchmarks/bench_*; do
  [[ -f "$bench" && -x "$bench" ]] || continue
  echo "== $(basename "$bench")"
  "$bench" "$@"
done
