#!/usr/bin/env bash
# Builds the native code optimised and without sanitizers, and runs the
# benchmarks (several repetitions, reporting medians).
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/install-deps.sh
cmake -S . -B build/bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DCORVANTA_SANITIZE=OFF -DBUILD_TESTING=OFF >/dev/null
cmake --build build/bench -j2 --target call_overhead_bench
build/bench/bench/call_overhead_bench --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
  --benchmark_min_time=0.2 "$@"
