#!/usr/bin/env bash
# Runs clang-tidy (checks in .clang-tidy) on the project's sources as the
# native build compiles them; any finding fails. Needs build/native configured.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build/native -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null
git ls-files 'plugin/*.cpp' 'glext/*.cpp' 'library/*.cpp' 'host/*.cpp' 'tests/*.cpp' 'bench/*.cpp' |
  grep -v '_win32\.cpp$' |
  xargs -P 2 -n 4 clang-tidy -p build/native --quiet >build/native/tidy.log 2>&1 || {
    grep -E 'warning:|error:' build/native/tidy.log || cat build/native/tidy.log
    echo "FAIL: clang-tidy findings"
    exit 1
  }
echo "clang-tidy: no findings"
