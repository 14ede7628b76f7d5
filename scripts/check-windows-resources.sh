#!/usr/bin/env bash
# Compiles res/pantrel.rc with windres, links it into a small Windows test program and runs that
# under Wine in a fresh prefix, inside a virtual X display (Xvfb) so that the dialog templates can
# be created as windows. Builds into build-windows/resources-check/. Needs mingw-w64 (windres,
# x86_64-w64-mingw32-g++-posix), Wine (64-bit) and xvfb-run; ends with 1 when a check failed.
#   scripts/check-windows-resources.sh [PROGRAM.exe...]
# checks the test program's own resources, then those of each program named (pantrel.exe of
# either architecture: a program is read as data, never started).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

if [[ -z "${PANTREL_IN_XVFB:-}" ]]; then
  PANTREL_IN_XVFB=1 exec xvfb-run -a -s '-screen 0 1024x768x24 -nolisten tcp' bash "$0" "$@"
fi

out=build-windows/resources-check
# The version header and manifest that the x64 build wrote from the project's version.
generated=build-windows/generated
[ -f "$generated/pantrel_version.h" ] || { echo "no $generated: run scripts/build-windows.sh" >&2; exit 1; }
mkdir -p "$out"
x86_64-w64-mingw32-windres -O coff -I res -I "$generated" -i res/pantrel.rc -o "$out/pantrel.res.o"
x86_64-w64-mingw32-g++-posix -std=c++20 -municode -O1 -Wall -Wextra -Wpedantic -Werror \
  -I src -I res -I "$generated" -I tests/windows \
  tests/windows/resources_test.cpp tests/windows/dialog_template.cpp src/kinds/string_table.cpp \
  "$out/pantrel.res.o" -static -lcomctl32 -lversion -lgdi32 \
  -o "$out/resources_test.exe"

prefix=$(mktemp -d)
# Wine's services keep running after the program ends; stop this prefix's server on every way out.
trap 'WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true; rm -rf "$prefix"' EXIT
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineboot -i </dev/null >/dev/null 2>&1
status=0
wine "$out/resources_test.exe" "$root/res/Sterowniki.xsd" || status=1
for program in "$@"; do
  wine "$out/resources_test.exe" "$root/res/Sterowniki.xsd" "$(winepath -w "$program")" || status=1
done
exit $status
