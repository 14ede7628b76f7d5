#!/usr/bin/env bash
# Loading a 20,000-model specification file (load, validation and the selection of the three
# kinds, as install does it) against xmllint validating the same file: whole processes, timed
# alternately; prints the ratios of the medians of wall time and of peak resident memory.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${PANTREL_BUILD_DIR:-build-bench}
runs=${PANTREL_BENCH_RUNS:-7}
models=${PANTREL_BENCH_MODELS:-20000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$build/bench/make_spec" "$models" "$work/spec.xml"

now() { date +%s%N; }
median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }

# Runs a command once; appends its wall time (ns) and peak resident memory (KB).
measure() {
  local name=$1
  shift
  local t0 t1
  t0=$(now)
  /usr/bin/time -f %M -o "$work/rss" "$@" >/dev/null 2>"$work/stderr" || {
    cat "$work/stderr" >&2
    exit 1
  }
  t1=$(now)
  echo $((t1 - t0)) >>"$work/$name.time"
  tail -n 1 "$work/rss" >>"$work/$name.rss"
}

for _ in $(seq "$runs"); do
  measure load "$build/bench/load_bench" "$work/spec.xml"
  measure xmllint xmllint --noout --nonet --schema res/Sterowniki.xsd "$work/spec.xml"
done

awk -v lt="$(median <"$work/load.time")" -v xt="$(median <"$work/xmllint.time")" \
    -v lm="$(median <"$work/load.rss")" -v xm="$(median <"$work/xmllint.rss")" -v n="$models" 'BEGIN {
  printf "load %d models ms: %.1f\n", n, lt / 1e6
  printf "xmllint %d models ms: %.1f\n", n, xt / 1e6
  printf "load %d models peak KB: %d\n", n, lm
  printf "xmllint %d models peak KB: %d\n", n, xm
  printf "load/xmllint time ratio: %.2f\n", lt / xt
  printf "load/xmllint memory ratio: %.2f\n", lm / xm
}'
