#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The cross build's emulator: runs a Windows program under Wine, then ends the prefix's server so
# that no Wine process outlives the test. Its status is the program's.
set -uo pipefail
export WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml="
wine "$@"
status=$?
wineserver -k 2>/dev/null
exit "$status"
