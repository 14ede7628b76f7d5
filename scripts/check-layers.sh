#!/usr/bin/env bash
# Checks that every folder of src/ includes only its own folder and the folders below it, so a
# header-only include of a layer above (which no link would catch) fails here. Prints each
# offending include and ends with 1 when there is one.
set -euo pipefail
cd "$(dirname "$0")/.."

# The project folders each folder may include, its own among them.
allowed() {
  case "$1" in
    base) echo "base" ;;
    kinds) echo "kinds base" ;;
    registry) echo "registry kinds base" ;;
    loader) echo "loader kinds base" ;;
    install) echo "install loader registry kinds base" ;;
    ui) echo "ui install loader registry kinds base" ;;
    ui/qt) echo "ui/qt ui install loader registry kinds base" ;;
    ui/win32) echo "ui/win32 ui install loader registry kinds base" ;;
    app) echo "app ui/qt ui/win32 ui install loader registry kinds base" ;;
    *) echo "" ;;
  esac
}

# The layer an included path belongs to: loader/messages/x.h is the loader's, ui/qt/x.h ui/qt's.
layer_of() {
  case "$1" in
    ui/qt/*) echo ui/qt ;;
    ui/win32/*) echo ui/win32 ;;
    *) echo "${1%%/*}" ;;
  esac
}

status=0
while IFS= read -r file; do
  folder=$(dirname "${file#src/}")
  case "$folder" in
    loader/*) folder=loader ;;
  esac
  permitted=" $(allowed "$folder") "
  if [ "$permitted" = "  " ]; then
    echo "$file: src/$folder is no known layer"
    status=1
    continue
  fi
  while IFS= read -r included; do
    [[ "$included" == */* ]] || continue  # res/resource.h and the like
    layer=$(layer_of "$included")
    if [[ "$permitted" != *" $layer "* ]]; then
      echo "$file: includes $included, which src/$folder may not use"
      status=1
    fi
  done < <(sed -n 's/^#include "\([^"]*\)".*/\1/p' "$file")
done < <(find src -name '*.h' -o -name '*.cpp' | sort)
exit $status
