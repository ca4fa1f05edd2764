#!/usr/bin/env bash
# Builds the 32-bit plugin DLL and the reference host, and runs the demo script
# through the DLL under Wine, on a virtual display. The picture it draws is
# written to build/demo/demo.png.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh
bash tools/configure.sh win32
cmake --build build/win32 -j2 --target corvanta_shader corvanta_host
mkdir -p build/demo

export WINEPREFIX=$PWD/build/win32/wineprefix
run_demo() {
  tools/wine-server.sh start
  local status=0
  tools/wine-run.sh build/win32/host/corvanta_host.exe --output build/demo \
    build/win32/corvanta_shader.dll examples/demo.script || status=$?
  tools/wine-server.sh stop
  return $status
}
export -f run_demo
bash tools/with-xvfb.sh bash -c run_demo
echo "The demo's picture: $PWD/build/demo/demo.png"
