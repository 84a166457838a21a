#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what building and playing need, builds the game, and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh play
cmake --preset play
cmake --build --preset play
exec build/play/app/quillmoor "$@"
