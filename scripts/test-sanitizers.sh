#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the whole program with AddressSanitizer and UndefinedBehaviorSanitizer and runs every
# test but the end-to-end suite under them, LeakSanitizer on.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh test
cmake --preset asan
cmake --build --preset asan
ctest --preset asan "$@"
