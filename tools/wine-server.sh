#!/usr/bin/env bash
# Starts or stops the wine server of the test prefix. Started once for the whole
# test run and kept alive, with the prefix made on first use: starting Wine
# afresh for every test is slow when it runs under emulation.
set -euo pipefail
: "${WINEPREFIX:?WINEPREFIX must name the prefix of the build tree}"
export WINEPREFIX
case "${1:-}" in
  start)
    mkdir -p "$WINEPREFIX"
    wineserver -k 2>/dev/null || true # one left over from an interrupted run
    wineserver -w 2>/dev/null || true
    wineserver -p </dev/null >/dev/null 2>&1
    # The services and the desktop process that wineboot leaves running stay up
    # with the server; they must not hold on to the caller's output.
    "$(dirname "$0")/wine-run.sh" wineboot -i </dev/null >"$WINEPREFIX/wineboot.log" 2>&1 ||
      { cat "$WINEPREFIX/wineboot.log"; exit 1; }
    ;;
  stop)
    wineserver -k 2>/dev/null || true
    ;;
  *)
    echo "usage: $0 start|stop" >&2
    exit 2
    ;;
esac
