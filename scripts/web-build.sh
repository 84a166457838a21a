#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the browser page with Debian's emscripten into build/web/ (the site) from a CMake tree
# in build/web-build/: "site" builds the page alone, "tests" the core's unit tests too, as
# WebAssembly, and with QUILLMOOR_BROWSER_TESTS=ON the page's tests in the browsers. Expects what
# scripts/install-deps.sh web (web-test for the browsers) installs.
set -euo pipefail
cd "$(dirname "$0")/.."

what=${1:-site}
tree=build/web-build
mkdir -p "$tree"

# Emscripten's cache is the package's, read-only to users and locked on every compile: a tree
# of links to it in the build folder is writable, and costs nothing to make.
cache=$(em-config CACHE)
export EM_CACHE=$PWD/$tree/em-cache
if [[ ! -e "$EM_CACHE/.made-from" || "$(cat "$EM_CACHE/.made-from")" != "$cache" ]]; then
  rm -rf "$EM_CACHE"
  mkdir -p "$EM_CACHE"
  cp -rs "$cache/." "$EM_CACHE/"
  rm -f "$EM_CACHE/cache.lock"
  echo "$cache" >"$EM_CACHE/.made-from"
fi
# emcc's optimizer runs on node and needs Debian's acorn, which a node from elsewhere does not
# look for.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}

testing=OFF
targets=(web_site)
if [[ "$what" == tests ]]; then
  testing=ON
  targets=(all)
fi
emcmake cmake -S . -B "$tree" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILLMOOR_CORE_ONLY=ON \
  -DBUILD_TESTING="$testing" -DQUILLMOOR_BROWSER_TESTS="${QUILLMOOR_BROWSER_TESTS:-OFF}" \
  -DQUILLMOOR_SITE_DIR="$PWD/build/web" >/dev/null
cmake --build "$tree" --parallel 2 --target "${targets[@]}"
