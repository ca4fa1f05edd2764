#!/usr/bin/env bash
# Installs what the build needs, builds every target (the 32-bit Windows DLL
# with GCC and with clang, and the native Linux library, all with warnings as
# errors), runs clang-tidy
# and the fuzz targets, and runs every test through CTest: the native unit, EGL
# and script tests under the address and undefined-behaviour sanitizers (the
# unit tests under the leak checker too),
# the examples and script tests again under older drivers that Mesa emulates,
# and the Windows tests (the soak among them) under Wine on a virtual X display.
set -euo pipefail
cd "$(dirname "$0")/.."
export test_started_at=$(date +%s)

# The documents' facts first: they need nothing installed.
bash tools/check-docs.sh
bash tools/install-deps.sh

bash tools/configure.sh native
cmake --build build/native -j2
# The product DLL from a second compiler; the Windows tests run against both.
bash tools/configure.sh win32-clang -DBUILD_TESTING=OFF
cmake --build build/win32-clang -j2 --target corvanta_shader
bash tools/configure.sh win32 -DCORVANTA_CLANG_DLL="$PWD/build/win32-clang/corvanta_shader.dll"
cmake --build build/win32 -j2

# Leaks fail the native unit tests (the default on Linux, made explicit; the
# real-driver tests turn the checker off, tests/CMakeLists.txt says why).
export ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1

# Each stage's result and time, for the summary line at the end.
run_tests() {
  local status=0 summary=""
  stage() {
    local name=$1 began=$SECONDS
    shift
    if "$@"; then summary+=" $name: pass ($((SECONDS - began)) s),"; else
      summary+=" $name: FAIL ($((SECONDS - began)) s),"; status=1; fi
  }
  stage tidy bash tools/tidy.sh
  stage fuzz bash tools/fuzz.sh
  stage native bash -c 'cd build/native && ctest -j2 --output-on-failure --timeout 300'
  stage "driver profiles" bash tests/driver_profiles.sh build/native
  stage "wine (gcc and clang DLLs)" bash -c 'cd build/win32 && ctest -j2 --output-on-failure'
  stage package bash tools/package.sh
  echo "summary:${summary%,}; total $(($(date +%s) - test_started_at)) s with the builds"
  return $status
}
export -f run_tests
bash tools/with-xvfb.sh bash -c run_tests
