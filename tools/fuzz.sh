#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time
# (FUZZ_SECONDS, 60 by default, both at once) over the committed seed corpus. Any crash,
# leak, sanitizer report or timeout fails; its input is left in
# build/fuzz/findings for committing as a regression seed.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-60}

CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCORVANTA_FUZZ=ON >/dev/null
cmake --build build/fuzz -j2

mkdir -p build/fuzz/findings
# The two targets run side by side, one core each, for the same time.
fuzz() {
  local target=$1 work=build/fuzz/corpus/$1 max_len=4096
  mkdir -p "$work"
  # Huge driver-reported lengths make the plugin ask for buffers of up to 2 GiB.
  # Scripts may be long enough to pass the host's nesting and line limits.
  [ "$target" = script ] && max_len=70000
  build/fuzz/fuzz/${target}_fuzz -max_total_time="$seconds" -timeout=10 -max_len="$max_len" \
    -malloc_limit_mb=4096 -rss_limit_mb=4096 -print_final_stats=1 \
    -artifact_prefix=build/fuzz/findings/${target}- "$work" "fuzz/corpus/$target" \
    >"build/fuzz/$target.log" 2>&1
}
targets=(handlers script)
pids=()
for target in "${targets[@]}"; do
  echo "fuzzing $target for ${seconds}s"
  fuzz "$target" &
  pids+=($!)
done
status=0
for i in "${!targets[@]}"; do
  target=${targets[$i]}
  if ! wait "${pids[$i]}"; then
    status=1
    echo "FAIL: fuzz target $target found a fault:"
    grep -aE 'ERROR|SUMMARY|Test unit written' "build/fuzz/$target.log" || tail -n 30 "build/fuzz/$target.log"
  else
    grep -aE '^stat::number_of_executed_units' "build/fuzz/$target.log" || true
  fi
done
[ "$status" -eq 0 ] && echo "fuzzing: no findings"
exit $status
