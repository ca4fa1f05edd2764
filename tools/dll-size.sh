#!/usr/bin/env bash
# The product DLL's budget, kept here alone, and each DLL's size and headroom
# under it:
#   dll-size.sh [DLL...]     (the GCC and the clang builds' DLLs by default)
#   dll-size.sh --budget     the budget in bytes, for the checks that read it
# Exits 1 when a DLL is over the budget.
set -euo pipefail
budget=57344 # 56 KiB
if [ "${1:-}" = --budget ]; then
  echo "$budget"
  exit 0
fi
cd "$(dirname "$0")/.."
[ $# -gt 0 ] || set -- build/win32/corvanta_shader.dll build/win32-clang/corvanta_shader.dll
status=0
for dll in "$@"; do
  size=$(stat -c %s "$dll")
  echo "$dll: $size bytes, $((budget - size)) bytes under the budget of $budget"
  [ "$size" -le "$budget" ] || status=1
done
exit $status
