#!/usr/bin/env bash
# Installs what the build needs, builds both targets (the 32-bit Windows DLL
# and the native Linux library, both with warnings as errors), runs clang-tidy
# and the fuzz targets, and runs every test through CTest: the native unit, EGL
# and script tests under the address, leak and undefined-behaviour sanitizers,
# and the Windows tests (the soak among them) under Wine on a virtual X display.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh

cmake -S . -B build/native -G Ninja
cmake --build build/native -j2
cmake -S . -B build/win32 -G Ninja --toolchain cmake/mingw-i686.cmake
cmake --build build/win32 -j2

# Leaks fail the native tests too (the default on Linux, made explicit).
export ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1

run_tests() {
  local status=0
  bash tools/tidy.sh || status=1
  bash tools/fuzz.sh || status=1
  (cd build/native && ctest -j2 --output-on-failure --timeout 300) || status=1
  (cd build/win32 && ctest -j2 --output-on-failure) || status=1
  return $status
}
export -f run_tests
bash tools/with-xvfb.sh bash -c run_tests
