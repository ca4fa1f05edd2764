#!/usr/bin/env bash
# Checks the product DLL's PE tables: a 32-bit x86 DLL that exports exactly the
# two entry points and imports nothing but Windows system DLLs.
set -euo pipefail
dll=$1
dump=$(i686-w64-mingw32-objdump -p "$dll")
fail() { echo "FAIL: $*"; echo "$dump" | sed -n '/Export Address Table/,/^$/p;/DLL Name/p'; exit 1; }

grep -q 'file format pei-i386' <<<"$dump" || fail "not an i386 PE image"
grep -qE '^Magic\s+010b\s+\(PE32\)' <<<"$dump" || fail "not PE32"
sed -n '/^Characteristics/,/^$/p' <<<"$dump" | grep -qE '^\s+DLL$' || fail "not a DLL"

exports=$(sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$dump" | tail -n +2 | grep -oE '\] [A-Za-z_0-9@]+' | cut -c3- | sort | tr '\n' ' ')
[ "$exports" = "Corvanta_Init Corvanta_Query " ] || fail "exports are '$exports'"

allowed='^(kernel32|user32|gdi32|opengl32|msvcrt|advapi32)\.dll$'
while read -r name; do
  grep -qiE "$allowed" <<<"$name" || fail "imports $name"
done < <(grep 'DLL Name:' <<<"$dump" | awk '{print $3}')

echo "exports: $exports"
echo "imports: $(grep 'DLL Name:' <<<"$dump" | awk '{print $3}' | tr '\n' ' ')"
