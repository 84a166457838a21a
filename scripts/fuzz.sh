#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the fuzz target with clang, libFuzzer, ASan and UBSan and fuzzes it for [seconds], 60 by
# default, from the inputs in tests/fuzz_corpus. New inputs collect in build/fuzz/corpus; an input
# that breaks an invariant or crashes is kept as build/fuzz/crash-* and fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-60}
scripts/install-deps.sh test
cmake --preset fuzz
cmake --build --preset fuzz
mkdir -p build/fuzz/corpus
build/fuzz/tools/fuzz/fuzz_game -max_total_time="$seconds" -max_len=4096 -print_final_stats=1 \
  -artifact_prefix=build/fuzz/ build/fuzz/corpus tests/fuzz_corpus
