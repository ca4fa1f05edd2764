#!/usr/bin/env bash
# Installs everything the build and the tests need on Debian 12 (run as root).
# A second run installs nothing when every package is already present.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang clang-tidy libclang-rt-14-dev zip unzip
  libgtest-dev libgmock-dev googletest libbenchmark-dev libstb-dev
  libegl-dev libgl-dev libegl-mesa0 libgl1-mesa-dri
  g++-mingw-w64-i686-posix
  wine wine32 xvfb xauth
  libgl1:i386 libglx-mesa0:i386 libgl1-mesa-dri:i386
)

dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# The archive this machine already takes bookworm from: the URI of a deb822
# stanza, or a sources.list line, whose suite is bookworm itself.
debian_archive() {
  local file
  for file in /etc/apt/sources.list.d/*.sources; do
    [ -e "$file" ] || continue
    awk 'BEGIN { RS = ""; FS = "\n" }
      { uris = ""; suite = 0
        for (i = 1; i <= NF; i++) {
          if ($i ~ /^URIs:/) { uris = $i; sub(/^URIs:[ \t]*/, "", uris) }
          if ($i ~ /^Suites:/ && (" " $i " ") ~ /[ \t]bookworm[ \t]/) suite = 1
        }
        if (suite && uris != "") { split(uris, u, /[ \t]+/); print u[1]; exit } }' "$file"
  done | head -n1 | grep . && return
  awk '$1 == "deb" { for (i = 2; i < NF; i++) if ($i ~ /:\/\// && $(i + 1) == "bookworm") { print $i; exit } }' \
    /etc/apt/sources.list 2>/dev/null | head -n1
}

# Some kernels run no 32-bit x86 code at all (the loader fails with "Exec format
# error"). There the 32-bit Wine runs under qemu's user-mode emulation; the
# release in Debian 12 itself cannot run Wine, so it comes from backports.
if ! /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
  if ! /usr/bin/qemu-i386-static --version 2>/dev/null | grep -q 'version \([89]\|[1-9][0-9]\)\.'; then
    echo "this kernel cannot run 32-bit code: installing qemu user-mode emulation"
    if [ ! -e /etc/apt/sources.list.d/backports.sources ]; then
      archive=$(debian_archive)
      [ -n "$archive" ] || { echo "no Debian archive among the configured apt sources" >&2; exit 1; }
      printf 'Types: deb\nURIs: %s\nSuites: bookworm-backports\nComponents: main\nSigned-By: %s\n' \
        "$archive" /usr/share/keyrings/debian-archive-keyring.gpg > /etc/apt/sources.list.d/backports.sources
    fi
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq -t bookworm-backports qemu-user-static >/dev/null
  fi
  binfmt=/proc/sys/fs/binfmt_misc
  mountpoint -q "$binfmt" || mount -t binfmt_misc binfmt_misc "$binfmt"
  # Re-register so the entry points at the current emulator ("F" opens it now).
  [ -e "$binfmt/qemu-i386" ] && echo -1 > "$binfmt/qemu-i386"
  echo ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F' > "$binfmt/register"
  /lib/ld-linux.so.2 --version >/dev/null
fi
