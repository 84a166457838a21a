#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the Debian packages Quillmoor needs, by purpose; idempotent, and uses sudo when not
# root. The names hold on Debian 12 and 13 (and the Ubuntu releases that share them); LLVM's,
# which carry a version, follow the release's default clang.
#
#   scripts/install-deps.sh play   building, playing and packaging the game (the default)
#   scripts/install-deps.sh test   that, and the tools of the tests, the fuzzer and packaging checks
#   scripts/install-deps.sh bench  that, and KDE's compositor, which the window benchmark also runs on
#   scripts/install-deps.sh release what scripts/test-release.sh needs to make a Debian system
#   scripts/install-deps.sh windows the Windows program's cross build
#   scripts/install-deps.sh windows-test that, and Wine and the X tools its tests run with
#   scripts/install-deps.sh web     building and serving the browser page
#   scripts/install-deps.sh web-test that, and the browsers and the driver of its browser tests
set -euo pipefail

purpose=${1:-play}
case "$purpose" in
  play | test | bench | release | windows | windows-test | web | web-test) ;;
  *)
    echo "usage: $0 [play|test|bench|release|windows|windows-test|web|web-test]" >&2
    exit 2
    ;;
esac

# Package, then in one line why the game needs it.
play_packages=(
  build-essential "the C++ compiler and dpkg-dev's package tools"
  cmake "the build"
  ninja-build "the build"
  pkg-config "the build's look-ups of X11 libraries"
  git "the date of the last commit, which dates the package"
  file "CPack's detection of the program's libraries"
  qt6-base-dev "Qt 6 Widgets, which the game's windows are made with"
  qt6-base-dev-tools "Qt's moc and resource compiler"
  libgl-dev "Qt's OpenGL headers, which Qt 6 Gui includes"
  libxkbcommon-dev "Qt's keyboard headers"
  libxcb1-dev "the X11 path that sends a tick's squares in one request"
  libxcb-shm0-dev "the X11 frame buffer shared with the server"
  qt6-wayland "native windows on Wayland desktops"
  qt6-base-private-dev "the Wayland surface of the game's window, from Qt's platform interface"
  libwayland-dev "the Wayland path that sends a tick's squares in buffers of its own"
  wayland-protocols "the viewporter protocol, for fractional scales on Wayland"
  fonts-ipafont-mincho "the title screen's Japanese face"
  fonts-ipafont-gothic "the dialogs' face"
  fonts-urw-base35 "the title screen's Latin face (C059)"
)

test_packages=(
  libgtest-dev "the unit and widget tests"
  libgmock-dev "the unit and widget tests"
  libbenchmark-dev "the benchmarks"
  clang-format "the code's formatting"
  python3 "the end-to-end, command-line and packaging tests"
  xvfb "the end-to-end tests on X11"
  xauth "xvfb-run"
  xdotool "typing into the X11 window"
  x11-utils "xprop, the titles the X server shows"
  imagemagick "screenshots of the X11 window (import)"
  sway "the end-to-end tests on Wayland (a headless compositor)"
  wtype "typing into the Wayland window"
  grim "screenshots of the Wayland output"
  mutter "the end-to-end tests on GNOME's Wayland compositor (headless)"
  dbus "the private D-Bus session mutter runs in (dbus-run-session)"
  clang "the fuzz target"
  lintian "the Debian package's checks"
  desktop-file-utils "the desktop entry's check"
  appstream "the metainfo's check"
  man-db "the manual page's check"
  fontconfig "the font look-ups the tests check"
  diffoscope-minimal "showing why two builds of one commit differ"
  gdb "the stacks of a program that hangs under a test compositor"
)

# The cross build needs no Qt: the Windows front end is plain Win32.
windows_packages=(
  build-essential "the host compiler of the resource script's generator"
  cmake "the build"
  ninja-build "the build"
  git "the date of the last commit, which dates the zip's entries"
  g++-mingw-w64-x86-64-posix "the Windows cross compiler, with std::thread (posix thread model)"
  binutils-mingw-w64-x86-64 "windres for the resource script, objdump for the import check"
  python3 "the zip, and the Windows tests"
  googletest "GoogleTest's sources, built for Windows with the unit tests"
)

# Wine runs what the cross build makes, in an X server that the tests drive as they drive the
# Linux program.
windows_test_packages=(
  wine "running the Windows program and its unit tests"
  wine64 "running 64-bit Windows programs"
  xvfb "the X server the Windows program runs in under test"
  xauth "xvfb-run"
  xdotool "typing into the Windows program's window"
  x11-utils "xprop, the titles the X server shows"
  imagemagick "screenshots of the Windows program's window (import)"
  fonts-ipafont-mincho "the Japanese face the test maps the title's faces to"
  fonts-ipafont-gothic "the face the test maps the dialogs' faces to"
  fonts-urw-base35 "the Latin face (C059) the test maps Century to"
)

# KWin pulls in much of KDE: only the benchmark asks for it.
bench_packages=(
  kwin-wayland "the window benchmark on KDE's Wayland compositor"
)

release_packages=(
  debootstrap "making a minimal system of another release"
  git "the fresh clone inside it"
)

web_packages=(
  emscripten "the compiler of the core to WebAssembly (3.1.6 on Debian 12, 3.1.69 on 13)"
  nodejs "emscripten's own tools, the WebAssembly unit tests and the browser tests"
  cmake "the build"
  ninja-build "the build"
  python3 "the local web server (http.server)"
  googletest "the unit tests, built from source for WebAssembly"
)
web_test_packages=(
  chromium "the browser tests in Chromium"
  firefox-esr "the browser tests in Firefox"
  fonts-ipafont-mincho "the title screen's Japanese face, as the browser tests draw it"
  fonts-ipafont-gothic "the dialogs' face"
  fonts-urw-base35 "the title screen's Latin face (C059)"
  build-essential "the build machine's maze tracer, which the browser's maze is compared with"
  libgtest-dev "configuring that tracer's native tree, which has the unit tests"
  libgmock-dev "configuring that tracer's native tree, which has the unit tests"
)
# npm, which installs the pinned test driver: Debian's package, unless a nodejs from elsewhere
# already brings its own npm (and conflicts with Debian's).
web_npm_package() {
  if ! command -v npm >/dev/null 2>&1; then
    echo npm "installing the browser tests' pinned driver (puppeteer-core)"
  fi
}

# LLVM's fuzzer and sanitizer runtimes are named by version: the one the default clang is.
llvm_packages() {
  local depends version
  if [[ "$(dpkg-query -W -f='${Status}' clang 2>/dev/null || true)" == "install ok installed" ]]; then
    depends=$(dpkg-query -W -f='${Depends}' clang)
  else
    depends=$(apt-cache depends clang 2>/dev/null | sed -n 's/^ *Depends: //p')
  fi
  version=$(grep -oE 'clang-[0-9]+' <<<"$depends" | head -n 1 | cut -d- -f2)
  if [[ -z "$version" ]]; then
    return 1
  fi
  echo "libfuzzer-$version-dev" "libFuzzer, which drives the fuzz target"
  echo "libclang-rt-$version-dev" "LeakSanitizer's runtime for clang"
}

declare -A reason=()
wanted=()
add() {
  while (($# >= 2)); do
    wanted+=("$1")
    reason[$1]=$2
    shift 2
  done
}

installed() {
  [[ "$(dpkg-query -W -f='${Status}' "$1" 2>/dev/null || true)" == "install ok installed" ]]
}

case "$purpose" in
  play) add "${play_packages[@]}" ;;
  test) add "${play_packages[@]}" "${test_packages[@]}" ;;
  bench) add "${play_packages[@]}" "${test_packages[@]}" "${bench_packages[@]}" ;;
  release) add "${release_packages[@]}" ;;
  windows) add "${windows_packages[@]}" ;;
  windows-test) add "${windows_packages[@]}" "${windows_test_packages[@]}" ;;
  web) add "${web_packages[@]}" ;;
  web-test) add "${web_packages[@]}" "${web_test_packages[@]}" ;;
esac
if [[ "$purpose" == web-test ]]; then
  while read -r name why; do
    [[ -n "$name" ]] && add "$name" "$why"
  done <<<"$(web_npm_package)"
fi

sudo=()
if ((EUID != 0)); then
  sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
lists_updated=false
update_lists() {
  if ! $lists_updated; then
    "${sudo[@]}" apt-get update -qq
    lists_updated=true
  fi
}

if [[ "$purpose" == test || "$purpose" == bench ]]; then
  llvm=$(llvm_packages) || {
    update_lists
    llvm=$(llvm_packages) || {
      echo "install-deps: no clang-N package behind this release's clang: needed for the fuzz target" >&2
      exit 1
    }
  }
  while read -r name why; do
    add "$name" "$why"
  done <<<"$llvm"
fi

missing=()
for package in "${wanted[@]}"; do
  installed "$package" || missing+=("$package")
done
if ((${#missing[@]} == 0)); then
  exit 0
fi

update_lists
unavailable=0
for package in "${missing[@]}"; do
  candidate=$(apt-cache policy "$package" 2>/dev/null | sed -n 's/^ *Candidate: //p')
  if [[ -z "$candidate" || "$candidate" == "(none)" ]]; then
    echo "install-deps: $package is not in this release's packages: needed for ${reason[$package]}" >&2
    unavailable=1
  fi
done
if ((unavailable)); then
  exit 1
fi

echo "Installing: ${missing[*]}"
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
