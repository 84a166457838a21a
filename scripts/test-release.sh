#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Runs the README's test command and the sanitizer run in a fresh clone inside a fresh, minimal
# Debian system of the given release (12 or 13), then builds the package there, installs it with
# apt and starts the installed program. The Windows program is cross-built there too; its Wine
# tests run there only with QUILLMOOR_WINE_TESTS=1. The system is made once with debootstrap
# into a cache outside the clone; every run starts from a clean copy of it, so the project's own
# scripts must install everything, as on a new machine. Needs root (debootstrap, chroot, mounts).
#
#   scripts/test-release.sh 13      QUILLMOOR_RELEASE_CACHE moves the cache (default below)
set -euo pipefail
cd "$(dirname "$0")/.."

release=${1:-}
case "$release" in
  12) codename=bookworm ;;
  13) codename=trixie ;;
  *)
    echo "usage: $0 12|13" >&2
    exit 2
    ;;
esac
if ((EUID != 0)); then
  echo "test-release: needs root, for debootstrap, chroot and mounts; run it as root or with sudo" >&2
  exit 1
fi

cache=${QUILLMOOR_RELEASE_CACHE:-/var/cache/quillmoor-test-release}
system=$cache/debian-$release
archives=$cache/debian-$release-archives
mirror=http://deb.debian.org/debian

stage_start=$SECONDS
stage() {
  echo "test-release $release: $1 took $((SECONDS - stage_start)) s"
  stage_start=$SECONDS
}

scripts/install-deps.sh release

if [[ ! -d "$system" ]]; then
  mkdir -p "$cache"
  rm -rf "$system.partial"
  debootstrap --variant=minbase "$codename" "$system.partial" "$mirror"
  # Downloads are kept apart, shared by the runs; the system itself stays as debootstrap left it.
  chroot "$system.partial" apt-get clean
  mv "$system.partial" "$system"
  stage "debootstrap of Debian $release ($codename)"
fi

root=$(mktemp -d /var/tmp/quillmoor-debian-$release.XXXXXX)
# The mounts live in a namespace of their own (below), so the copy is plain files by now.
trap 'rm -rf --one-file-system "$root"' EXIT
cp -a "$system/." "$root/"
cp /etc/resolv.conf "$root/etc/resolv.conf"
git clone --quiet --no-hardlinks "$(git rev-parse --show-toplevel)" "$root/root/quillmoor"
mkdir -p "$archives/partial"
stage "a clean copy of the system and a fresh clone"

# What runs inside: the same commands as a user's, each stage timed.
cat >"$root/root/run-inside.sh" <<'INSIDE'
#!/usr/bin/env bash
set -euo pipefail
cd /root/quillmoor
release=$1
stage_start=$SECONDS
stage() {
  echo "test-release $release: $1 took $((SECONDS - stage_start)) s"
  stage_start=$SECONDS
}
# The browser page is built and its unit tests run as WebAssembly; its browser tests run on
# the machine's own release.
QUILLMOOR_BROWSER_TESTS=0 scripts/test.sh
stage "scripts/test.sh (the page built, its browsers left to the machine)"
scripts/test-sanitizers.sh
stage "scripts/test-sanitizers.sh"
scripts/build-clang.sh
stage "scripts/build-clang.sh"
scripts/package.sh
apt-get install -y -qq ./build/package/quillmoor_*.deb
/usr/games/quillmoor --version
stage "package, apt install and --version"
INSIDE
chmod +x "$root/root/run-inside.sh"

# A private mount namespace: its mounts go when it ends, so nothing of the host's /dev can be
# reached through the copy when it is removed.
unshare --mount --propagation private -- bash -euo pipefail -c '
  root=$1 archives=$2 release=$3
  mount -t proc proc "$root/proc"
  mount --rbind /sys "$root/sys"
  mount --rbind /dev "$root/dev"
  mount -t tmpfs tmpfs "$root/dev/shm"
  mount -t tmpfs tmpfs "$root/run"
  mount -t tmpfs tmpfs "$root/tmp"
  mount --bind "$archives" "$root/var/cache/apt/archives"
  exec chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM=dumb CI="${CI:-}" \
    QUILLMOOR_WARNINGS_AS_ERRORS="${QUILLMOOR_WARNINGS_AS_ERRORS:-OFF}" \
    QUILLMOOR_WINE_TESTS="${QUILLMOOR_WINE_TESTS:-0}" \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    /root/run-inside.sh "$release"
' test-release "$root" "$archives" "$release"
stage "the run inside Debian $release"
