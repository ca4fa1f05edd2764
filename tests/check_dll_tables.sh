#!/usr/bin/env bash
# Checks the product DLL's PE tables and its budget: a 32-bit x86 DLL within
# the budget tools/dll-size.sh keeps that exports exactly the two entry points, imports only what the
# plugin's own code calls, has no TLS directory, no writable data, no debug
# sections and no dynamic initialisers, and has its debug information in a
# file beside it.
set -euo pipefail
dll=$1
debug=$dll.debug
budget=$(bash "$(dirname "$0")/../tools/dll-size.sh" --budget)
dump=$(i686-w64-mingw32-objdump -p "$dll")
sections=$(i686-w64-mingw32-objdump -h "$dll")
fail() { echo "FAIL: $*"; echo "$dump" | sed -n '/Export Address Table/,/^$/p;/DLL Name/,/^$/p'; exit 1; }

grep -q 'file format pei-i386' <<<"$dump" || fail "not an i386 PE image"
grep -qE '^Magic\s+010b\s+\(PE32\)' <<<"$dump" || fail "not PE32"
sed -n '/^Characteristics/,/^$/p' <<<"$dump" | grep -qE '^\s+DLL$' || fail "not a DLL"

size=$(stat -c %s "$dll")
[ "$size" -le "$budget" ] || fail "$size bytes, over the budget of $budget"
grep -qE '^Entry 9 0+ 0+ Thread Storage Directory' <<<"$dump" || fail "has a TLS directory"
! grep -qE '\s\.debug_' <<<"$sections" || fail "has debug sections"
grep -qE '\s\.gnu_debuglink\s' <<<"$sections" || fail "has no debug link"
# Writable data would be a section of its own, 512 bytes of the file or more.
! grep -qE '\s\.data\s' <<<"$sections" || fail "has writable data (.data), which the plugin keeps in .bss or .rdata"
[ -f "$debug" ] && i686-w64-mingw32-objdump -h "$debug" | grep -qE '\s\.debug_info\s' || fail "no debug information in $debug"
# Nothing may need to run at load time: the DLL has no start-up code to run it.
! i686-w64-mingw32-nm "$debug" | grep -qE '_GLOBAL__sub_I_|__static_initialization' || fail "has a dynamic initialiser"

exports=$(sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$dump" | tail -n +2 | grep -oE '\] [A-Za-z_0-9@]+' | cut -c3- | sort | tr '\n' ' ')
[ "$exports" = "Corvanta_Init Corvanta_Query " ] || fail "exports are '$exports'"

# Each imported function against the allow-list of its DLL.
imports=$(awk '/DLL Name:/ { dll = tolower($3); next }
               /^[ \t]*$/ { dll = "" }
               dll != "" && /^[ \t]+[0-9a-f]+[ \t]+[0-9]+[ \t]+[A-Za-z_0-9]+$/ { print dll, $3 }' <<<"$dump")
[ -n "$imports" ] || fail "no imports read"
while read -r from name; do
  case "$from" in
    kernel32.dll) allowed='^(Beep|GetModuleHandleA|GetProcAddress)$' ;;
    msvcrt.dll) allowed='^(mem(cpy|move|set|cmp)|str(len|n?cpy|n?cmp|chr|str)|calloc|malloc|realloc|free)$' ;;
    opengl32.dll) allowed='^wglGetProcAddress$' ;;
    *) allowed='^$' ;;
  esac
  grep -qE "$allowed" <<<"$name" || fail "imports $name from $from"
done <<<"$imports"

echo "size: $size bytes (budget $budget)"
echo "exports: $exports"
echo "imports: $(tr '\n' ' ' <<<"$imports")"
