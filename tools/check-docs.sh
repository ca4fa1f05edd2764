#!/usr/bin/env bash
# Checks the facts the documents repeat against where they are kept, before
# anything is built: every version number in the README, the reference and
# the install note is the one in `project(VERSION ...)`, and the counts the
# reference states are the entries it lists (which a test compares with what
# the plugin registers).
set -euo pipefail
cd "$(dirname "$0")/.."
version=$(sed -n 's/^project([a-z_]* VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "FAIL: no project(VERSION ...) in CMakeLists.txt"; exit 1; }
status=0
for file in README.md docs/reference.md; do
  while read -r stated; do
    [ "$stated" = "$version" ] || { echo "FAIL: $file states version $stated, the project is $version"; status=1; }
  done < <(grep -oiE '(version |corvanta_shader-)[0-9]+\.[0-9]+\.[0-9]+' "$file" | grep -oE '[0-9]+\.[0-9]+\.[0-9]+')
done
constants=$(grep -c '^- `constant ' docs/reference.md)
names=$(grep -cE '^- `(function|procedure) ' docs/reference.md)
grep -q "$constants integer constants" docs/reference.md && grep -qE "(^| )$names functions and procedures" docs/reference.md ||
  { echo "FAIL: docs/reference.md should say it lists $constants integer constants and $names functions and procedures"; status=1; }
[ $status -eq 0 ] && echo "documents: version $version, $constants constants and $names names"
exit $status
