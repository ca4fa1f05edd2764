#!/usr/bin/env bash
# Installs what the build needs, builds both targets (the 32-bit Windows DLL
# and the native Linux library), and runs every test through CTest: the native
# unit and EGL tests, and the Windows tests under Wine on a virtual X display.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh

cmake -S . -B build/native -G Ninja
cmake --build build/native -j2
cmake -S . -B build/win32 -G Ninja --toolchain cmake/mingw-i686.cmake
cmake --build build/win32 -j2

# A display of our own for Wine's windows; Xvfb picks a free number.
display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill "$xvfb_pid" 2>/dev/null || true; rm -f "$display_file"' EXIT
for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$display_file")

status=0
(cd build/native && ctest -j2 --output-on-failure --timeout 300) || status=1
(cd build/win32 && ctest -j2 --output-on-failure --timeout 600) || status=1
exit $status
