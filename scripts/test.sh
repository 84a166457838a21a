#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, builds, and runs every test (unit, widget, end-to-end), then the
# browser page's: the core's unit tests as WebAssembly under node, and the page in Chromium and
# Firefox (QUILLMOOR_BROWSER_TESTS=0 leaves the browsers out).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh test
cmake --preset default
cmake --build --preset default
ctest --preset default "$@"
scripts/test-web.sh
