#!/usr/bin/env bash
# Checks the facts the documents repeat against where they are kept, before
# anything is built: every version number in the README and the reference is
# the one in `project(VERSION ...)`. (The reference states no counts: its
# entries, which a test compares with what the plugin registers, are the
# count.)
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
[ $status -eq 0 ] && echo "documents: version $version, $constants constants and $names names"
exit $status
