#!/usr/bin/env bash
# Peak memory of the silent commands on one large generated file (about 300 MB, 1,220,000 models
# by default), one run each: what a technician's machine must hold when a driver file is huge.
# Not one of bench/run.sh's parts (it takes minutes and a gigabyte of disk); after bench/run.sh has
# built build-bench: bash bench/large_file.sh [MODELS]. Prints "large <command> peak MB: N" and
# the command's CPU seconds.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${PANTREL_BUILD_DIR:-build-bench}
models=${1:-1220000}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$build/bench/make_spec" "$models" "$work/spec.xml"
export PANTREL_REGISTRY="$work/registry.db"
echo "large file MB: $(( $(stat -c %s "$work/spec.xml") / 1000000 ))"
# One command under GNU time: its peak resident memory in MB and its CPU seconds.
peak() {
  local name=$1
  shift
  /usr/bin/time -f "%M %U %S" -o "$work/time" "$@" >/dev/null
  read -r kb user system <"$work/time"
  echo "large $name peak MB: $(( kb / 1024 ))"
  awk -v u="$user" -v s="$system" -v n="$name" 'BEGIN { printf "large %s cpu s: %.2f\n", n, u + s }'
}
peak validate "$build/pantrel" -validate "$work/spec.xml"
peak install "$build/pantrel" -install "$work/spec.xml"
peak list "$build/pantrel" -list
peak uninstall "$build/pantrel" -uninstall "$work/spec.xml"
# libxml2's own streaming validation of the same file, for scale.
peak xmllint-sax xmllint --sax --noout --nonet --schema res/Sterowniki.xsd "$work/spec.xml"
