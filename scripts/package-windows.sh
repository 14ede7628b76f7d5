#!/usr/bin/env bash
# Packages the Windows build (scripts/build-windows.sh [x64|x86] first) into a Windows Installer
# package for silent deployment: build-windows/Pantrel-<version>-x64.msi or
# build-windows-x86/Pantrel-<version>-x86.msi. The exe and the package are signed when
# scripts/sign-windows.sh is given a certificate. Prints the release files with their SHA-256 sums.
#   scripts/package-windows.sh [x64|x86]
# PANTREL_PACKAGE_VERSION overrides the build's version (the upgrade test builds a newer package).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
arch=${1:-x64}
case "$arch" in
  x64) build=build-windows program_files=ProgramFiles64Folder win64=yes ;;
  x86) build=build-windows-x86 program_files=ProgramFilesFolder win64=no ;;
  *) echo "usage: $0 [x64|x86]" >&2; exit 2 ;;
esac
exe=$build/pantrel.exe
header=$build/generated/pantrel_version.h
if [ ! -f "$exe" ] || [ ! -f "$header" ]; then
  echo "no $exe: run scripts/build-windows.sh $arch first" >&2
  exit 1
fi
# The build's version, which CMake wrote from project(VERSION).
version=${PANTREL_PACKAGE_VERSION:-$(sed -n 's/^#define PANTREL_VERSION_TEXT "\(.*\)"$/\1/p' "$header")}
if ! [[ "$version" =~ ^[0-9]+\.[0-9]+\.[0-9]+$ ]]; then
  echo "not a version of three numbers: '$version'" >&2
  exit 1
fi

# Packages of every version below the next one are replaced: older ones and other builds of this.
IFS=. read -r major minor patch <<<"$version"
upgrade_below=$major.$minor.$((patch + 1))

stage=$build/package
rm -rf "$stage"
mkdir -p "$stage"
cp "$exe" "$stage/pantrel.exe"
cp res/icons/pantrel.ico "$stage/pantrel.ico"
# Notepad before Windows 10 shows a text without CRLF on one line and guesses its encoding.
{ printf '\xEF\xBB\xBF'; sed 's/$/\r/' packaging/licencje.txt; } >"$stage/licencje.txt"
bash scripts/sign-windows.sh "$stage/pantrel.exe"

msi=$root/$build/Pantrel-$version-$arch.msi
rm -f "$msi"
# wixl finds the files named in the source in the folder it runs in.
(cd "$stage" && wixl -a "$arch" -o "$msi" -D Version="$version" -D UpgradeBelow="$upgrade_below" \
  -D ProgramFilesFolder="$program_files" -D Win64="$win64" -D ExeFile=pantrel.exe \
  -D LicenceFile=licencje.txt -D IconFile=pantrel.ico "$root/packaging/pantrel.wxs")
bash scripts/sign-windows.sh "$msi"

echo "Release files (SHA-256):"
(cd "$root/$build" && sha256sum "$(basename "$msi")" package/pantrel.exe)
