#!/usr/bin/env bash
# Runs the host on a script that must fail: the host must exit with status 1
# (not crash, abort or hang) and report the expected error.
#   expect_script_error.sh "FILE:LINE: message" -- HOST_COMMAND...
set -uo pipefail
expected=$1
shift 2
[ -n "$expected" ] || { echo "FAIL: no expected error given"; exit 1; }
output=$("$@" 2>&1 | tr -d '\r')
status=$?
echo "$output" | cut -c 1-300
[ "$status" -eq 1 ] || { echo "FAIL: exit status $status, expected 1"; exit 1; }
grep -qF -- "$expected" <<<"$output" || { echo "FAIL: no '$expected' in the output"; exit 1; }
