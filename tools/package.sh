#!/usr/bin/env bash
# Makes the release a Windows user takes, from the built and tested Windows
# tree: build/dist/corvanta_shader-VERSION.zip with the DLL, its debug file,
# the reference host to try scripts with, the script reference, the examples
# and the install note. Then checks that
# the archive holds exactly these and that its DLL is the one in build/win32.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/win32
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ -n "$version" ] || { echo "no project version in $build/CMakeCache.txt" >&2; exit 1; }
grep -q "^Version $version\." docs/reference.md && grep -q "version $version" README.md ||
  { echo "FAIL: docs/reference.md and README.md do not both show version $version"; exit 1; }
name=corvanta_shader-$version
stage=build/dist/$name
rm -rf "$stage" "build/dist/$name.zip"
mkdir -p "$stage/docs"
cp "$build/corvanta_shader.dll" "$build/corvanta_shader.dll.debug" "$build/host/corvanta_host.exe" "$stage/"
cp docs/reference.md "$stage/docs/"
cp -r examples "$stage/"
sed "s/@VERSION@/$version/" tools/INSTALL.txt.in > "$stage/INSTALL.txt"
(cd build/dist && zip -qrX "$name.zip" "$name")

expected=$(cd build/dist && find "$name" -type f | sort)
want=$(printf '%s\n' "$name/INSTALL.txt" "$name/corvanta_shader.dll" "$name/corvanta_shader.dll.debug" "$name/corvanta_host.exe" \
  "$name/docs/reference.md" $(cd . && git ls-files examples | sed "s|^|$name/|") | sort)
listed=$(unzip -Z1 "build/dist/$name.zip" | grep -v '/$' | sort)
if [ "$listed" != "$want" ] || [ "$expected" != "$want" ]; then
  diff <(echo "$want") <(echo "$listed") || true
  echo "FAIL: the archive does not hold exactly the release's files"
  exit 1
fi
unzip -p "build/dist/$name.zip" "$name/corvanta_shader.dll" | cmp - "$build/corvanta_shader.dll" ||
  { echo "FAIL: the archive's DLL is not the tested one"; exit 1; }
echo "release: build/dist/$name.zip ($(wc -l <<<"$listed") files)"
