#!/usr/bin/env bash
# Builds the loader's libFuzzer target with clang and runs it for a short time (default 60 s) on
# a seed corpus of the test and example specification files. A crash leaves its input in
# build-fuzz/fuzz-artifacts/ and ends with a non-zero status; fix it and keep the input as
# tests/data/loader/fuzz_<what>.xml, which the loader tests load and every later run starts from.
#   bash scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-60}"
if ! command -v clang++ >/dev/null 2>&1; then
  echo "fuzz.sh: clang++ is not installed; the loader is not fuzzed" >&2
  exit 0
fi

CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DPANTREL_BUILD_FUZZ=ON -DPANTREL_BUILD_UI=OFF -DPANTREL_BUILD_BENCH=OFF >/dev/null
cmake --build build-fuzz -j"$(nproc)" --target loader_fuzz

# A fresh working corpus every run: the seeds, never what earlier runs grew.
corpus=build-fuzz/fuzz-corpus
artifacts=build-fuzz/fuzz-artifacts
rm -rf "$corpus"
mkdir -p "$corpus" "$artifacts"
cp tests/data/loader/*.xml examples/*.xml "$corpus"/

export ASAN_OPTIONS=abort_on_error=1:detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
build-fuzz/fuzz/loader_fuzz -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 \
  -max_len=65536 -print_final_stats=1 -artifact_prefix="$artifacts/" "$corpus"
