#!/usr/bin/env bash
# Runs a Windows program under Wine the way the tests need it: a prefix of the
# build's own, no debug chatter, and no crash debugger (a crash must fail the
# test, not wait forever in winedbg).
set -euo pipefail
: "${WINEPREFIX:?WINEPREFIX must name the prefix of the build tree}"
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winedbg.exe=d"
export WINEARCH=win32
exec wine "$@"
