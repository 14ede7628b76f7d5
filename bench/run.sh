#!/usr/bin/env bash
# Builds the benchmarks and runs each bench/run_*.sh; every figure ends up on a line of its own
# as "name: value".
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-bench -j"$(nproc)" >/dev/null
export PANTREL_BUILD_DIR="$PWD/build-bench"
for part in bench/run_*.sh; do
  bash "$part"
done
