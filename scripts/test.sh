#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, builds, and runs every test (unit, widget, end-to-end).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh test
cmake --preset default
cmake --build --preset default
ctest --preset default "$@"
