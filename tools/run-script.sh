#!/usr/bin/env bash
# Runs a script of your own through the 32-bit plugin DLL and the reference
# host under Wine, on a virtual display of its own, after building both (and
# installing what they need). The options are the host's; pictures go to
# build/pictures unless --output names another directory.
#   tools/run-script.sh [--output DIR] [--size WxH] [--no-context] SCRIPT
set -euo pipefail
[ $# -ge 1 ] || { echo "usage: $0 [--output DIR] [--size WxH] [--no-context] SCRIPT" >&2; exit 2; }
# Paths the caller gave are taken from where the caller stands.
output=$PWD/build/pictures
options=()
while [ $# -gt 1 ]; do
  case "$1" in
    --output) output=$(realpath -m "$2"); shift 2 ;;
    --size) options+=("$1" "$2"); shift 2 ;;
    *) options+=("$1"); shift ;;
  esac
done
script=$(realpath "$1")
cd "$(dirname "$0")/.."

bash tools/install-deps.sh
bash tools/configure.sh win32
cmake --build build/win32 -j2 --target corvanta_shader corvanta_host
mkdir -p "$output"

export WINEPREFIX=$PWD/build/win32/wineprefix
run() {
  tools/wine-server.sh start
  local status=0
  tools/wine-run.sh build/win32/host/corvanta_host.exe --output "$output" "$@" || status=$?
  tools/wine-server.sh stop
  return $status
}
export -f run
export output
bash tools/with-xvfb.sh bash -c 'run "$@"' run "${options[@]}" build/win32/corvanta_shader.dll "$script"
