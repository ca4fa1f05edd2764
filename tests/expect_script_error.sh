#!/usr/bin/env bash
# Runs the host on a script that must fail: the host must exit with status 1
# (not crash) and report the error named on the script's first line,
# "# error: FILE:LINE: message".
#   expect_script_error.sh SCRIPT -- HOST_COMMAND...
set -uo pipefail
script=$1
shift 2
expected=$(head -n 1 "$script" | sed -n 's/^# error: //p')
[ -n "$expected" ] || { echo "FAIL: $script names no expected error"; exit 1; }
output=$("$@" 2>&1 | tr -d '\r')
status=$?
echo "$output"
[ "$status" -eq 1 ] || { echo "FAIL: exit status $status, expected 1"; exit 1; }
grep -qF -- "$expected" <<<"$output" || { echo "FAIL: no '$expected' in the output"; exit 1; }
