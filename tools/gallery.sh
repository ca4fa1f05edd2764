#!/usr/bin/env bash
# Makes the gallery's pictures in docs/gallery anew: builds the 32-bit DLL and
# the reference host, runs the gallery's scripts through the DLL under Wine as
# the tests do, and copies the pictures they drew. The tests then compare
# every later run with these pictures.
set -euo pipefail
cd "$(dirname "$0")/.."

bash tools/install-deps.sh
bash tools/configure.sh win32
cmake --build build/win32 -j2
export WINEPREFIX=$PWD/build/win32/wineprefix
bash tools/with-xvfb.sh bash -c 'cd build/win32 && ctest -R "^wine[.](start|stop|gallery[.].*[.]draw)$" --output-on-failure'
mkdir -p docs/gallery
cp build/win32/tests/wine.gallery.*_output/*.png docs/gallery/
ls -l docs/gallery
