#!/usr/bin/env bash
# Runs a command with a virtual X display of its own (Wine's windows need one)
# and stops the display afterwards. Xvfb picks a free display number.
set -euo pipefail
display_file=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$display_file" >/dev/null 2>&1 &
xvfb_pid=$!
trap 'kill "$xvfb_pid" 2>/dev/null || true; rm -f "$display_file"' EXIT
for _ in $(seq 100); do [ -s "$display_file" ] && break; sleep 0.1; done
[ -s "$display_file" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=:$(cat "$display_file")
"$@"
