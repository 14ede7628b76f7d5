#!/usr/bin/env bash
# Writes packaging/licencje.txt, the licences of everything pantrel.exe carries, from the Debian
# packages' own copyright files on this machine (the authoritative texts) and from the libxml2
# source that scripts/build-windows.sh builds. Run it again when a carried library changes.
set -euo pipefail
cd "$(dirname "$0")/.."

libxml2=$(compgen -G "build-windows/deps/src/libxml2-*/" | head -n1)
[ -n "$libxml2" ] || { echo "no libxml2 source: run scripts/build-windows.sh first" >&2; exit 1; }
sqlite=$(compgen -G "build-windows/deps/src/sqlite3-*/" | head -n1)
docs=/usr/share/doc

section() {  # title, files...
  local title=$1
  shift
  printf '\n%s\n%s\n\n' "$title" "$(printf '=%.0s' $(seq ${#title}))"
  local file
  for file in "$@"; do
    [ -r "$file" ] || { echo "missing: $file" >&2; exit 1; }
    cat "$file"
    printf '\n'
  done
}

{
  printf 'Licencje bibliotek zawartych w pantrel.exe\n'
  printf 'Licences of the libraries that pantrel.exe carries\n\n'
  printf 'pantrel.exe is linked statically with the libraries below. Their licence texts follow\n'
  printf 'as the Debian packages they were built from state them.\n'
  section "libxml2 $(basename "$libxml2" | sed 's/^libxml2-//')" \
    "$libxml2/Copyright" "$libxml2/debian/copyright"
  section "SQLite $(basename "$sqlite" | sed 's/^sqlite3-//')" "$sqlite/debian/copyright"
  section "mingw-w64 runtime and winpthreads ($(dpkg-query -W -f='${Version}' mingw-w64-common))" \
    "$docs/mingw-w64-common/copyright"
  section "GCC runtime libraries: libstdc++ and libgcc, with the GCC Runtime Library Exception ($(dpkg-query -W -f='${Version}' gcc-mingw-w64-base))" \
    "$docs/gcc-mingw-w64-base/copyright"
  section "GNU General Public License, version 3 (referred to by the GCC runtime libraries)" \
    /usr/share/common-licenses/GPL-3
} >packaging/licencje.txt
echo "packaging/licencje.txt: $(wc -l <packaging/licencje.txt) lines"
