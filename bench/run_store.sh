#!/usr/bin/env bash
# The registry store: writing 10,000 and 100,000 model entries through one write handle, and
# listing them by index. Ends with the ratio of the two listing times (CPU time; a listing that
# costs the same for every index gives about 10) and the commits of the 10,000-entry write.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${PANTREL_BUILD_DIR:-build-bench}
if [ ! -x "$build/bench/store_bench" ]; then
  cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$build" --target store_bench -j"$(nproc)" >/dev/null
fi
out=$(mktemp)
trap 'rm -f "$out"' EXIT

"$build/bench/store_bench" --benchmark_out="$out" --benchmark_out_format=csv

# Columns by their header names: name, cpu_time, and the "commits" counter.
awk -F, '
  NR == 1 || !header {
    if ($1 == "name") {
      for (i = 1; i <= NF; i++) { gsub(/"/, "", $i); column[$i] = i }
      header = 1
    }
    next
  }
  { gsub(/"/, "", $1) }
  $1 == "BM_StoreEnum/10000"  { enum10k = $column["cpu_time"] }
  $1 == "BM_StoreEnum/100000" { enum100k = $column["cpu_time"] }
  $1 == "BM_StoreWrite/10000" { commits = $column["commits"] }
  END {
    if (enum10k <= 0 || enum100k == "" || commits == "") { print "store bench: figures missing" > "/dev/stderr"; exit 1 }
    printf "store enum 100k/10k time ratio: %.2f\n", enum100k / enum10k
    printf "store write 10k commits: %d\n", commits
  }
' "$out"
