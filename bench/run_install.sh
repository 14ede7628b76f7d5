#!/usr/bin/env bash
# Whole `pantrel -install` and `-uninstall` runs on a 20,000-model file against xmllint's
# validation of the same file, timed alternately; prints the ratios of the medians.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${PANTREL_BUILD_DIR:-build-bench}
runs=${PANTREL_BENCH_RUNS:-7}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$build/bench/make_spec" 20000 "$work/spec.xml"
export PANTREL_REGISTRY="$work/registry.db"

now() { date +%s%N; }
median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }
clear_store() { rm -f "$work"/registry.db*; }

: >"$work/install" ; : >"$work/uninstall" ; : >"$work/xmllint"
for _ in $(seq "$runs"); do
  clear_store
  t0=$(now); "$build/pantrel" -install "$work/spec.xml"; t1=$(now)
  echo $((t1 - t0)) >>"$work/install"
  t0=$(now); xmllint --noout --nonet --schema res/Sterowniki.xsd "$work/spec.xml" 2>/dev/null; t1=$(now)
  echo $((t1 - t0)) >>"$work/xmllint"
  t0=$(now); "$build/pantrel" -uninstall "$work/spec.xml"; t1=$(now)
  echo $((t1 - t0)) >>"$work/uninstall"
done

xmllint_ns=$(median <"$work/xmllint")
install_ns=$(median <"$work/install")
uninstall_ns=$(median <"$work/uninstall")
awk -v i="$install_ns" -v u="$uninstall_ns" -v x="$xmllint_ns" 'BEGIN {
  printf "install 20k ms: %.1f\n", i / 1e6
  printf "uninstall 20k ms: %.1f\n", u / 1e6
  printf "xmllint 20k ms: %.1f\n", x / 1e6
  printf "install/xmllint time ratio: %.2f\n", i / x
  printf "uninstall/xmllint time ratio: %.2f\n", u / x
}'
