#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, cross-builds the Windows program with mingw-w64 and writes
# build/windows/quillmoor-<version>-windows-x86_64.zip (Quillmoor.exe, README.txt, the licence).
# Two runs on one commit give the same bytes.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh windows
cmake --preset windows >/dev/null
cmake --build --preset windows -j 2
ls -l build/windows/quillmoor-*-windows-x86_64.zip
