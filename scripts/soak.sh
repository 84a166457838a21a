#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the soak program optimised and plays [ticks] ticks, 10 million by default, checking every
# one; further arguments go to the program (--seed S repeats a run, --check-every N).
set -euo pipefail
cd "$(dirname "$0")/.."

ticks=${1:-10000000}
shift || true
scripts/install-deps.sh test
cmake --preset release
cmake --build --preset release
build/release/tools/soak/soak --ticks "$ticks" "$@"
