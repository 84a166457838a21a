#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, builds the browser page and the core's unit tests as WebAssembly,
# and runs them: the unit tests under node, the page in headless Chromium and Firefox ESR.
# QUILLMOOR_BROWSER_TESTS=0 runs the unit tests alone, and needs no browser installed.
set -euo pipefail
cd "$(dirname "$0")/.."

if [[ "${QUILLMOOR_BROWSER_TESTS:-1}" == 0 ]]; then
  scripts/install-deps.sh web
  QUILLMOOR_BROWSER_TESTS=OFF scripts/web-build.sh tests
else
  scripts/install-deps.sh web-test
  QUILLMOOR_BROWSER_TESTS=ON scripts/web-build.sh tests
fi
ctest --test-dir build/web-build --output-on-failure "$@"
