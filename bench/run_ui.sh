#!/usr/bin/env bash
# The model list of the window on 10,000 and 100,000 registered models (offscreen): a full
# re-read and a header click; prints the times and how the re-read grows with the list.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${PANTREL_BUILD_DIR:-build-bench}
csv=$(QT_QPA_PLATFORM=offscreen "$build/bench/list_bench" --benchmark_format=csv \
  --benchmark_repetitions="${PANTREL_BENCH_RUNS:-5}" --benchmark_report_aggregates_only=true \
  2>/dev/null)
# Medians of the repetitions, in milliseconds.
median() { awk -F, -v name="\"$1/real_time_median\"" '$1 == name { print $3 }' <<<"$csv"; }
small=$(median ListRefresh/10000)
large=$(median ListRefresh/100000)
sort=$(median ListSort/100000)
awk -v s="$small" -v l="$large" -v o="$sort" 'BEGIN {
  printf "list refresh 100k/10k time ratio: %.2f\n", l / s
  printf "list refresh 100k ms: %.1f\n", l
  printf "list sort 100k ms: %.1f\n", o
}'
