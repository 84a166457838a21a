#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, builds the browser page into build/web/ and serves it on
# http://127.0.0.1:8000/ (another port with --port N); --build only builds.
#
#   scripts/web.sh [--build] [--port N]
set -euo pipefail
cd "$(dirname "$0")/.."

build_only=false
port=8000
while (($#)); do
  case "$1" in
    --build) build_only=true ;;
    --port)
      port=${2:?--port needs a number}
      shift
      ;;
    --port=*) port=${1#--port=} ;;
    *)
      echo "usage: $0 [--build] [--port N]" >&2
      exit 2
      ;;
  esac
  shift
done
if [[ ! "$port" =~ ^[0-9]+$ ]] || ((port < 1 || port > 65535)); then
  echo "web.sh: --port wants a number from 1 to 65535, not '$port'" >&2
  exit 2
fi

scripts/install-deps.sh web
scripts/web-build.sh site

if $build_only; then
  echo "The site is in build/web/: any static web server can serve it."
  exit 0
fi
echo "Quillmoor: http://127.0.0.1:$port/  (Ctrl+C stops the server)"
cd build/web
exec python3 -m http.server "$port" --bind 127.0.0.1
