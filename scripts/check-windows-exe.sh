#!/usr/bin/env bash
# Checks what Windows reads from pantrel.exe before it runs, without running it (so also for the
# 32-bit exe, which Wine here cannot start): the machine, a GUI subsystem and system version 6.1
# (Windows 7), no exported symbols, no symbols or debug sections but a link to pantrel.exe.debug,
# and only imports that Windows 7 SP1 has (tests/windows/windows7_imports.txt).
#   scripts/check-windows-exe.sh x64|x86 EXE
# Ends with 1 when a check failed.
set -euo pipefail
cd "$(dirname "$0")/.."
arch=$1 exe=$2
case "$arch" in
  x64) objdump=x86_64-w64-mingw32-objdump format=pei-x86-64 ;;
  x86) objdump=i686-w64-mingw32-objdump format=pei-i386 ;;
  *) echo "usage: $0 x64|x86 EXE" >&2; exit 2 ;;
esac
failures=0
fail() {
  echo "FAILED ($arch): $*" >&2
  failures=$((failures + 1))
}

header=$("$objdump" -p "$exe")
sections=$("$objdump" -h "$exe")
grep -q "file format $format\$" <<<"$header" || fail "not $format: $(grep -m1 'file format' <<<"$header")"
field() { awk -v name="$1" '$1 == name { print $2; exit }' <<<"$header"; }
[ "$(field Subsystem)" = 00000002 ] || fail "subsystem $(field Subsystem), not the Windows GUI"
for pair in MajorSubsystemVersion=6 MinorSubsystemVersion=1 MajorOSystemVersion=6 \
    MinorOSystemVersion=1; do
  [ "$(field "${pair%=*}")" = "${pair#*=}" ] || fail "${pair%=*} is $(field "${pair%=*}"), not ${pair#*=}"
done
grep -q 'There is an export table' <<<"$header" && fail "the exe exports symbols"
grep -q ' \.debug_' <<<"$sections" && fail "the exe carries debug sections"
grep -q 'symbols stripped' <<<"$header" && "$objdump" -t "$exe" | grep -qx 'no symbols' ||
  fail "the exe carries a symbol table"
grep -q ' \.gnu_debuglink ' <<<"$sections" || fail "no link to the exe's debug file"
[ -s "$exe.debug" ] || fail "no $exe.debug beside the exe"

# Imports as "DLL function" lines; DLL names compare without regard to case, as Windows does.
imports=$(awk '
  /^\tDLL Name: / { dll = tolower($3); next }
  /^\t+vma:/ { listing = 1; next }
  listing && NF == 0 { listing = 0; next }
  listing && dll != "" { print dll, $NF }
' <<<"$header" | sort -u)
[ -n "$imports" ] || fail "no imports read"
allowed=$(grep -v '^#' tests/windows/windows7_imports.txt | awk 'NF { print tolower($1), $2 }' | sort -u)
unknown=$(comm -23 <(echo "$imports") <(echo "$allowed"))
[ -z "$unknown" ] || fail "imports not known to be on Windows 7 SP1:
$unknown"

[ "$failures" -eq 0 ] || exit 1
echo "$exe ($arch): machine, subsystem 6.1, no exports, stripped, $(wc -l <<<"$imports") imports known on Windows 7 SP1"
