#!/usr/bin/env bash
# Configures one build tree of this project:
#   configure.sh native|win32|win32-clang [CMAKE_ARGS...]
# A tree is configured with its toolchain once; later runs leave the toolchain
# out (CMake keeps it and would warn that it goes unused).
set -euo pipefail
cd "$(dirname "$0")/.."
tree=$1
shift
case "$tree" in
  native) toolchain= ;;
  win32) toolchain=cmake/mingw-i686.cmake ;;
  win32-clang) toolchain=cmake/clang-mingw-i686.cmake ;;
  *) echo "unknown build tree: $tree" >&2; exit 2 ;;
esac
args=(-S . -B "build/$tree" -G Ninja)
if [ -n "$toolchain" ] && [ ! -f "build/$tree/CMakeCache.txt" ]; then
  args+=(--toolchain "$toolchain")
fi
cmake "${args[@]}" "$@" >/dev/null
