#!/usr/bin/env bash
# Checks that the script reference lists exactly what the plugin registers:
# its "- `signature`" lines, in order, against the host's --list output.
#   check_reference.sh REFERENCE.md -- HOST_COMMAND...
set -euo pipefail
reference=$1
shift 2
listed=$("$@" | tr -d '\r')
documented=$(grep '^- `' "$reference" | sed 's/^- `\([^`]*\)`.*/\1/')
if [ "$listed" != "$documented" ]; then
  diff <(echo "$documented") <(echo "$listed") || true
  echo "FAIL: $reference does not match what the plugin registers (< documented, > registered)"
  exit 1
fi
echo "constants: $(grep -c '^constant ' <<<"$listed"), functions and procedures: $(grep -cE '^(function|procedure) ' <<<"$listed")"
