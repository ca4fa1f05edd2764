#!/usr/bin/env bash
# Installs everything the build and the tests need on Debian 12 (run as root).
# A second run installs nothing when every package is already present.
#
# An archive mirror in the middle of a sync serves some indexes with the wrong
# size for a while. The install goes on with the indexes that did load, and
# when the packages then do not resolve (a library updated for one
# architecture whose other architecture's index failed), it tries once more
# with the release suite the machine's own sources name as the target.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang clang-tidy libclang-rt-14-dev zip unzip
  libgtest-dev libgmock-dev googletest libbenchmark-dev libstb-dev libtinyobjloader-dev
  libegl-dev libgl-dev libegl-mesa0 libgl1-mesa-dri khronos-api
  g++-mingw-w64-i686-posix
  wine wine32 xvfb xauth
  libgl1:i386 libglx-mesa0:i386 libgl1-mesa-dri:i386
)

# The 32-bit loader, which tells whether this kernel runs 32-bit code; the
# install test names a stand-in.
loader=${CORVANTA_32BIT_LOADER:-/lib/ld-linux.so.2}

export DEBIAN_FRONTEND=noninteractive

# apt-get update with apt's own retries. An index that still fails is named in
# a warning; the install goes on with what loaded.
apt_update() {
  local log status=0
  log=$(mktemp)
  apt-get -o Acquire::Retries=3 -qq update >"$log" 2>&1 || status=$?
  if [ $status -ne 0 ]; then
    local failed
    failed=$(sed -n 's/^[EW]: Failed to fetch \([^ ]*\).*/\1/p' "$log")
    if [ -n "$failed" ]; then
      printf 'warning: apt-get update could not load %s; going on with the indexes that did load\n' \
        $failed >&2
    else
      cat "$log" >&2
      echo "warning: apt-get update failed (status $status); going on with the indexes there are" >&2
    fi
  fi
  rm -f "$log"
}

# The release suite of this system (its codename), when the configured apt
# sources name it; nothing otherwise.
release_suite() {
  local codename
  codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
  [ -n "$codename" ] || return 0
  # Read whole before grep looks: grep -q stopping early would fail the pipe.
  local codenames
  codenames=$(apt-get indextargets --format '$(CODENAME)' 2>/dev/null) || return 0
  grep -qx "$codename" <<<"$codenames" && echo "$codename"
  return 0
}

apt_install() {
  apt-get install -y -qq --no-install-recommends "$@" >/dev/null
}

# Installs the packages; when that fails, once more with the release suite as
# the target, so that both architectures of a multi-arch library come from
# the one index that has them at the same version.
install_packages() {
  apt_install "$@" && return 0
  local release
  release=$(release_suite)
  if [ -n "$release" ]; then
    echo "apt-get install failed; trying again with the release suite '$release' as the target" >&2
    apt_install -t "$release" "$@" && return 0
  fi
  {
    echo "error: could not install: $*"
    echo "apt-get install failed${release:+, also with -t $release}; its messages are above."
    echo "An archive in the middle of a sync is the usual cause: wait a few minutes and run this again."
    echo "If it goes on failing, 'apt-get update' names the indexes that do not load."
  } >&2
  exit 1
}

dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  apt_update
  install_packages "${missing[@]}"
fi

# The archive this machine already takes its release suite from: the URI of a
# deb822 stanza, or a sources.list line, whose suite is the release itself.
debian_archive() {
  local release=$1 file
  for file in /etc/apt/sources.list.d/*.sources; do
    [ -e "$file" ] || continue
    awk -v release="$release" 'BEGIN { RS = ""; FS = "\n" }
      { uris = ""; suite = 0
        for (i = 1; i <= NF; i++) {
          if ($i ~ /^URIs:/) { uris = $i; sub(/^URIs:[ \t]*/, "", uris) }
          if ($i ~ /^Suites:/ && index(" " $i " ", " " release " ") > 0) suite = 1
        }
        if (suite && uris != "") { split(uris, u, /[ \t]+/); print u[1]; exit } }' "$file"
  done | head -n1 | grep . && return
  awk -v release="$release" \
    '$1 == "deb" { for (i = 2; i < NF; i++) if ($i ~ /:\/\// && $(i + 1) == release) { print $i; exit } }' \
    /etc/apt/sources.list 2>/dev/null | head -n1
}

# Some kernels run no 32-bit x86 code at all (the loader fails with "Exec format
# error"). There the 32-bit Wine runs under qemu's user-mode emulation; the
# release in Debian 12 itself cannot run Wine, so it comes from backports.
if ! "$loader" --version >/dev/null 2>&1; then
  if ! /usr/bin/qemu-i386-static --version 2>/dev/null | grep -q 'version \([89]\|[1-9][0-9]\)\.'; then
    echo "this kernel cannot run 32-bit code: installing qemu user-mode emulation"
    release=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
    if [ ! -e /etc/apt/sources.list.d/backports.sources ]; then
      archive=$(debian_archive "$release")
      [ -n "$archive" ] || { echo "no Debian archive among the configured apt sources" >&2; exit 1; }
      printf 'Types: deb\nURIs: %s\nSuites: %s-backports\nComponents: main\nSigned-By: %s\n' \
        "$archive" "$release" /usr/share/keyrings/debian-archive-keyring.gpg \
        > /etc/apt/sources.list.d/backports.sources
    fi
    apt_update
    apt_install -t "$release-backports" qemu-user-static
  fi
  binfmt=/proc/sys/fs/binfmt_misc
  mountpoint -q "$binfmt" || mount -t binfmt_misc binfmt_misc "$binfmt"
  # Re-register so the entry points at the current emulator ("F" opens it now).
  [ -e "$binfmt/qemu-i386" ] && echo -1 > "$binfmt/qemu-i386"
  echo ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F' > "$binfmt/register"
  "$loader" --version >/dev/null
fi
