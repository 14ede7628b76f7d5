#!/usr/bin/env bash
# An install or uninstall killed after any of its writes to the registry is finished by the next
# run of pantrel.exe: the registry then equals the one a whole run leaves, as Wine's own reg.exe
# exports it from the 32-bit view. Run by scripts/test-windows.sh inside its Wine prefix, whose
# server it leaves running; Software\Tarvex is removed at the end.
#   interrupted-runs-check.sh PANTREL.EXE PANTREL-KILLED-RUN.EXE WORK-FOLDER
set -euo pipefail
exe=$1 killer=$2 work=$3
root=$(cd "$(dirname "$0")/../.." && pwd)
mkdir -p "$work"
failures=0
fail() {
  echo "FAILED: $*" >&2
  failures=$((failures + 1))
}

cp "$root/examples/kasy_fiskalne.xml" "$work/earlier.xml"
cp "$root/examples/sklep_komplet.xml" "$work/later.xml"
earlier=$(winepath -w "$work/earlier.xml")
later=$(winepath -w "$work/later.xml")

# The registry under Software\Tarvex, or nothing; Wine lists keys and values by name, so two
# exports of the same registry are the same text whatever order it was written in.
export_registry() {
  rm -f "$work/export.reg"
  if wine reg export 'HKLM\Software\Tarvex' "$(winepath -w "$work/export.reg")" /reg:32 /y \
      >/dev/null 2>&1; then
    iconv -f UTF-16LE -t UTF-8 "$work/export.reg" | tr -d '\r'
  fi
}
# The registry as the steps leave it, from none: "i FILE" installs, "u FILE" uninstalls.
registry_after() {
  wine reg delete 'HKLM\Software\Tarvex' /f /reg:32 >/dev/null 2>&1 || true
  while [ $# -gt 0 ]; do
    case $1 in
      i) wine "$exe" -install "$2" >/dev/null 2>&1 || fail "-install $2" ;;
      u) wine "$exe" -uninstall "$2" >/dev/null 2>&1 || fail "-uninstall $2" ;;
    esac
    shift 2
  done
}

check() {  # operation, file, steps before it...
  local operation=$1 file=$2
  shift 2
  registry_after "$@"
  local untouched whole n status after
  untouched=$(export_registry)
  registry_after "$@" "${operation:0:1}" "$file"
  whole=$(export_registry)
  for ((n = 1; n < 100; n++)); do
    registry_after "$@"
    status=0
    wine "$killer" "$operation" "$file" "$n" >/dev/null 2>"$work/err" || status=$?
    [ "$status" -eq 0 ] && break
    [ "$status" -eq 99 ] || { fail "$operation ended with $status: $(cat "$work/err")"; break; }
    # The next run of any kind finishes it; -list only reads, and says nothing.
    wine "$exe" -list >/dev/null 2>"$work/err" || fail "-list after $operation killed at $n"
    [ -s "$work/err" ] && fail "-list after $operation killed at $n said: $(cat "$work/err")"
    after=$(export_registry)
    # Killed while its record was being written, the run had not touched the models yet.
    if [ "$after" != "$whole" ] && ! { [ "$n" -le 4 ] && [ "$after" = "$untouched" ]; }; then
      fail "$operation killed after write $n was not finished: $(diff <(echo "$whole") <(echo "$after") | head -5)"
    fi
  done
  [ "$n" -gt 4 ] || fail "$operation wrote only $((n - 1)) values"
  echo "$operation killed after each of its $((n - 1)) writes: finished by the next run"
}

check install "$later" i "$earlier"
check uninstall "$later" i "$earlier" i "$later"

wine reg delete 'HKLM\Software\Tarvex' /f /reg:32 >/dev/null 2>&1 || true
[ "$failures" -eq 0 ]
