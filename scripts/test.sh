#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, builds, and runs every test (unit, widget, end-to-end); then the
# Windows program, cross-built, with its tests under Wine (QUILLMOOR_WINE_TESTS=0 keeps only the
# Windows build, the zip, without Wine); then the browser page's: the core's unit tests as
# WebAssembly under node, and the page in Chromium and Firefox (QUILLMOOR_BROWSER_TESTS=0 leaves
# the browsers out).
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh test
cmake --preset default
cmake --build --preset default
ctest --preset default "$@"

start=$SECONDS
if [[ "${QUILLMOOR_WINE_TESTS:-1}" == 0 ]]; then
  scripts/windows.sh
  echo "The Windows build took $((SECONDS - start)) s (its Wine tests left out)"
else
  scripts/install-deps.sh windows-test
  cmake --preset windows
  cmake --build --preset windows-tests -j 2
  ctest --preset windows
  echo "The Windows build and its tests under Wine took $((SECONDS - start)) s"
fi

start=$SECONDS
scripts/test-web.sh
echo "The browser page's build and tests took $((SECONDS - start)) s"
