#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the Debian packages Quillmoor needs to build, test and run; idempotent.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang-format
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-base-dev-tools libgl-dev libxkbcommon-dev libxcb1-dev libxcb-shm0-dev
  fonts-ipafont-mincho fonts-ipafont-gothic fonts-urw-base35
  xvfb xauth xdotool x11-utils imagemagick python3
  qt6-wayland sway wtype grim
  clang libfuzzer-14-dev libclang-rt-14-dev
  lintian dpkg-dev file desktop-file-utils appstream man-db fontconfig
)

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$package")
done

if ((${#missing[@]} == 0)); then
  exit 0
fi

sudo=()
if ((EUID != 0)); then
  sudo=(sudo)
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
