#!/usr/bin/env bash
# The product DLL's budget, kept here alone, and each DLL's size and headroom
# under it, with its code (.text) and read-only data (.rdata), which grow
# byte by byte where the file grows in steps of 512:
#   dll-size.sh [DLL...]     (the GCC and the clang builds' DLLs by default)
#   dll-size.sh --budget     the budget in bytes, for the checks that read it
# Exits 1 when a DLL is over the budget.
set -euo pipefail
budget=81920 # 80 KiB
if [ "${1:-}" = --budget ]; then
  echo "$budget"
  exit 0
fi
cd "$(dirname "$0")/.."
[ $# -gt 0 ] || set -- build/win32/corvanta_shader.dll build/win32-clang/corvanta_shader.dll
status=0
for dll in "$@"; do
  size=$(stat -c %s "$dll")
  read -r text rdata < <(i686-w64-mingw32-objdump -h "$dll" |
    awk '$2 == ".text" { text = $3 } $2 == ".rdata" { rdata = $3 } END { print text, rdata }')
  echo "$dll: $size bytes (code $((16#$text)), read-only data $((16#$rdata))), $((budget - size)) bytes under the budget of $budget"
  [ "$size" -le "$budget" ] || status=1
done
exit $status
