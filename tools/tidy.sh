#!/usr/bin/env bash
# Runs clang-tidy (checks in .clang-tidy) on the project's sources as their
# builds compile them: the native build's, and the fuzz targets as clang
# builds them. Any finding fails. Needs build/native configured.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build/native -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null
CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCORVANTA_FUZZ=ON -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null

log=build/native/tidy.log
: >"$log"
status=0
# The Windows-only sources need the Windows headers; the cross build checks them
# with its warnings instead.
git ls-files 'plugin/*.cpp' 'glext/*.cpp' 'library/*.cpp' 'host/*.cpp' 'tests/*.cpp' 'bench/*.cpp' |
  grep -v '_win32\.cpp$' |
  xargs -P 2 -n 4 clang-tidy -p build/native --quiet >>"$log" 2>&1 || status=1
git ls-files 'fuzz/*.cpp' | xargs clang-tidy -p build/fuzz --quiet >>"$log" 2>&1 || status=1
if [ "$status" -ne 0 ]; then
  grep -E 'warning:|error:' "$log" || cat "$log"
  echo "FAIL: clang-tidy findings"
  exit 1
fi
echo "clang-tidy: no findings"
