#!/usr/bin/env bash
# Whole `pantrel -install` runs on the shipped example and on a 20,000-model file against
# `xmllint --schema` validating the same file, pantrel and xmllint alternated in one run. The
# store exists, as on any machine after its first install, and each install writes its models
# anew (an uninstall after it, not measured, removes them again); the example's install into a
# store that does not exist yet is measured as well. Prints the medians of CPU time (user +
# system) and of peak resident memory, their ratios, and, when valgrind is installed, the ratios
# of the instructions executed (one run each under callgrind: exact and undisturbed by other
# work on the machine, which CPU time is not quite). `xmllint --sax --schema`, libxml2's streaming
# validation with no tree, is measured beside them: it runs the same validator over the same file
# as pantrel's one pass and so shows what reading alone costs on this machine.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${PANTREL_BUILD_DIR:-build-bench}
runs=${PANTREL_BENCH_RUNS:-11}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

example=examples/sklep_komplet.xml
"$build/bench/make_spec" 20000 "$work/spec.xml"
export PANTREL_REGISTRY="$work/registry.db"
xmllint=(xmllint --noout --nonet --schema res/Sterowniki.xsd)
xmllint_sax=(xmllint --sax --noout --nonet --schema res/Sterowniki.xsd)

median() { sort -n | awk '{a[NR]=$1} END {print (NR % 2) ? a[(NR+1)/2] : (a[NR/2] + a[NR/2+1]) / 2}'; }
clear_store() { rm -f "$work"/registry.db*; }
# Runs a command once under cpu_time; appends its CPU µs and peak KB to the files named `name`.
measure() {
  local name=$1
  shift
  "$build/bench/cpu_time" "$@" >"$work/last" || {
    echo "bench: '$*' failed" >&2
    exit 1
  }
  # The command's own output (-validate's rows) comes first; cpu_time's line is the last.
  read -r cpu peak < <(tail -n 1 "$work/last")
  echo "$cpu" >>"$work/$name.cpu"
  echo "$peak" >>"$work/$name.peak"
}

quiet() { "$@" >/dev/null 2>&1; }
for _ in $(seq "$runs"); do
  clear_store
  measure install_new_store "$build/pantrel" -install "$example"
  quiet "$build/pantrel" -uninstall "$example"
  measure install_example "$build/pantrel" -install "$example"
  quiet "$build/pantrel" -uninstall "$example"
  measure xmllint_example "${xmllint[@]}" "$example"
  measure install_20k "$build/pantrel" -install "$work/spec.xml"
  quiet "$build/pantrel" -uninstall "$work/spec.xml"
  measure xmllint_20k "${xmllint[@]}" "$work/spec.xml"
  measure xmllint_sax_20k "${xmllint_sax[@]}" "$work/spec.xml"
  measure validate_20k "$build/pantrel" -validate "$work/spec.xml"
done

for name in install_new_store install_example xmllint_example install_20k xmllint_20k \
  xmllint_sax_20k validate_20k; do
  eval "${name}_cpu=$(median <"$work/$name.cpu")"
  eval "${name}_peak=$(median <"$work/$name.peak")"
done
awk -v ie="$install_example_cpu" -v xe="$xmllint_example_cpu" -v i="$install_20k_cpu" \
    -v x="$xmllint_20k_cpu" -v im="$install_20k_peak" -v xm="$xmllint_20k_peak" \
    -v ns="$install_new_store_cpu" -v v="$validate_20k_cpu" -v vm="$validate_20k_peak" \
    -v xs="$xmllint_sax_20k_cpu" 'BEGIN {
  printf "install example cpu ms: %.2f\n", ie / 1e3
  printf "xmllint example cpu ms: %.2f\n", xe / 1e3
  printf "install example/xmllint cpu ratio: %.2f\n", ie / xe
  printf "install example into a new store/xmllint cpu ratio: %.2f\n", ns / xe
  printf "install 20k cpu ms: %.1f\n", i / 1e3
  printf "xmllint 20k cpu ms: %.1f\n", x / 1e3
  printf "install 20k/xmllint cpu ratio: %.2f\n", i / x
  printf "install 20k peak KB: %d\n", im
  printf "xmllint 20k peak KB: %d\n", xm
  printf "install 20k/xmllint memory ratio: %.2f\n", im / xm
  printf "validate 20k cpu ms: %.1f\n", v / 1e3
  printf "validate 20k/xmllint cpu ratio: %.2f\n", v / x
  printf "validate 20k peak KB: %d\n", vm
  printf "xmllint --sax 20k cpu ms: %.1f\n", xs / 1e3
  printf "xmllint --sax 20k/xmllint cpu ratio: %.2f\n", xs / x
  printf "install 20k/xmllint --sax cpu ratio: %.2f\n", i / xs
  printf "validate 20k/xmllint --sax cpu ratio: %.2f\n", v / xs
}'

if command -v valgrind >/dev/null; then
  # Instructions executed, from callgrind's summary line.
  instructions() {
    valgrind --tool=callgrind --callgrind-out-file=/dev/null "$@" 2>&1 >/dev/null |
      awk '/Collected :/ { print $NF }'
  }
  ie=$(instructions "$build/pantrel" -install "$example")
  quiet "$build/pantrel" -uninstall "$example"
  xe=$(instructions "${xmllint[@]}" "$example")
  i=$(instructions "$build/pantrel" -install "$work/spec.xml")
  x=$(instructions "${xmllint[@]}" "$work/spec.xml")
  awk -v ie="$ie" -v xe="$xe" -v i="$i" -v x="$x" 'BEGIN {
    printf "install example/xmllint instruction ratio: %.2f\n", ie / xe
    printf "install 20k/xmllint instruction ratio: %.2f\n", i / x
  }'
fi
