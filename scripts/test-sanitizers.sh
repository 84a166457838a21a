#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the Qt-free core with AddressSanitizer and UndefinedBehaviorSanitizer and runs its tests.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake --preset asan
cmake --build --preset asan
ctest --preset asan "$@"
