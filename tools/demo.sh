#!/usr/bin/env bash
# Builds the 32-bit plugin DLL and the reference host, and runs the demo script
# through the DLL under Wine, on a virtual display. The picture it draws is
# written to build/demo/demo.png.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/run-script.sh --output build/demo examples/demo.script
echo "The demo's picture: $PWD/build/demo/demo.png"
