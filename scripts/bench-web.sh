#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the browser page and its test driver, then prints its benchmark in Chromium and
# Firefox: ticks per second at 1 ms, milliseconds per frame at 20 and 1 ms in 1920 x 1080, and
# the page weight gzipped.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh web-test
QUILLMOOR_BROWSER_TESTS=ON scripts/web-build.sh tests
NODE_PATH=$PWD/build/web-build/npm/node_modules node tests/web/browser/bench.js
