#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, builds the program and makes the Debian package in build/package/.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh play
cmake --preset play
cmake --build --preset play
# Only this build's package and symbols are left, so the README's apt command matches one file.
rm -f build/package/*.deb build/package/quillmoor.debug
# CPack gives the ar archive's members the modes of the files it writes them from; dpkg-buildpackage
# packages under this umask too.
umask 022
cpack --config build/play/CPackConfig.cmake -B build/package
