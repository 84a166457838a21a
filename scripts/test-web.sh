#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, builds the browser page and the core's unit tests as WebAssembly,
# and runs them: the unit tests under node, the page in headless Chromium and Firefox ESR.
# QUILLMOOR_BROWSER_TESTS=0 runs the unit tests alone.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh web
scripts/web-build.sh tests
exclude=()
if [[ "${QUILLMOOR_BROWSER_TESTS:-1}" == 0 ]]; then
  exclude=(--exclude-regex '^browser_')
fi
ctest --test-dir build/web-build --output-on-failure "${exclude[@]}" "$@"
