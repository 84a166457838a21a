#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds everything, tests and tools included, with clang as well, whose warnings differ from
# GCC's; in CI a warning fails the build.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh test
cmake --preset clang
cmake --build --preset clang
