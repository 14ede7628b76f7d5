#!/usr/bin/env bash
# Tests the Windows release after scripts/build-windows.sh x64 and x86: the MSI of each
# architecture (scripts/package-windows.sh) and its properties read with msiinfo; signing with a
# throw-away self-signed certificate, checked with osslsigncode; then, under Wine in a fresh
# prefix, the silent install, the installed tool at work, the upgrade to a newer version, the
# refusal of an older one and the silent uninstall, which keeps the drivers' model registrations.
# Both exes are checked statically (scripts/check-windows-exe.sh): Wine here runs only 64-bit
# programs. Ends with 1 when a check failed.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

work=$(mktemp -d "$root/build-windows/package-test-XXXXXX")
# shellcheck source=windows/wine-prefix.sh
source scripts/windows/wine-prefix.sh

failures=0
fail() {
  echo "FAILED: $*" >&2
  failures=$((failures + 1))
}
version=$(sed -n 's/^#define PANTREL_VERSION_TEXT "\(.*\)"$/\1/p' build-windows/generated/pantrel_version.h)
IFS=. read -r major minor patch <<<"$version"
newer=$major.$minor.$((patch + 1))
# The UpgradeCode of the source, which every package must carry as written, in capitals.
upgrade_code=$(sed -n 's/.*UpgradeCode="\([^"]*\)".*/\1/p' packaging/pantrel.wxs)

# ---- Packages, signed with a throw-away certificate ----------------------------------------------
openssl req -x509 -newkey rsa:2048 -sha256 -days 2 -nodes -subj "/CN=Pantrel test/O=Tarvex" \
  -addext "extendedKeyUsage=codeSigning" -keyout "$work/key.pem" -out "$work/cert.pem" 2>/dev/null
openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/cert.pem" -passout pass:próba-ł \
  -out "$work/cert.p12"
export PANTREL_SIGN_PKCS12=$work/cert.p12 PANTREL_SIGN_PASSWORD=próba-ł
unset PANTREL_SIGN_TIMESTAMP_URL  # no network here

bash scripts/package-windows.sh x86 >"$work/package.log"
bash scripts/package-windows.sh x64 >"$work/package.log"
cp "build-windows/Pantrel-$version-x64.msi" "$work/old.msi"
cp build-windows/package/pantrel.exe "$work/signed.exe"
grep -qE "^[0-9a-f]{64}  Pantrel-$version-x64.msi$" "$work/package.log" ||
  fail "the packaging printed no SHA-256 of the MSI: $(cat "$work/package.log")"
PANTREL_PACKAGE_VERSION=$newer bash scripts/package-windows.sh x64 >/dev/null
mv "build-windows/Pantrel-$newer-x64.msi" "$work/new.msi"
# Another build of the same newer version, as a rebuilt release would be.
PANTREL_PACKAGE_VERSION=$newer bash scripts/package-windows.sh x64 >/dev/null
mv "build-windows/Pantrel-$newer-x64.msi" "$work/new-again.msi"

# The signature is whole and made by the certificate (trusted here, untrusted anywhere else);
# the unsigned exe of the build must not pass, or the check proves nothing.
for file in "$work/signed.exe" "$work/old.msi" "build-windows-x86/Pantrel-$version-x86.msi"; do
  osslsigncode verify -in "$file" -CAfile "$work/cert.pem" >"$work/verify" 2>&1 ||
    fail "$(basename "$file") carries no valid signature: $(tail -n 3 "$work/verify")"
done
osslsigncode verify -in build-windows/pantrel.exe -CAfile "$work/cert.pem" >/dev/null 2>&1 &&
  fail "the unsigned exe passed the signature check"

[[ "$upgrade_code" =~ ^[0-9A-F]{8}(-[0-9A-F]{4}){3}-[0-9A-F]{12}$ ]] ||
  fail "the UpgradeCode '$upgrade_code' is not a GUID in capitals"

# ---- Properties of the packages --------------------------------------------------------------
property() {  # msi, name
  msiinfo export "$1" Property | tr -d '\r' | awk -F'\t' -v name="$2" '$1 == name { print $2 }'
}
for arch in x64 x86; do
  dir=build-windows
  [ "$arch" = x86 ] && dir=build-windows-x86
  msi=$dir/Pantrel-$version-$arch.msi
  [ -f "$msi" ] || { fail "no $msi"; continue; }
  for pair in "ProductName=Sterowniki uniwersalne firmy Tarvex - program serwisowy" \
      "Manufacturer=Tarvex" "ProductVersion=$version" "UpgradeCode={$upgrade_code}" "ALLUSERS=1"; do
    value=$(property "$msi" "${pair%%=*}")
    [ "$value" = "${pair#*=}" ] || fail "$arch package: ${pair%%=*} is '$value', not '${pair#*=}'"
  done
  template=$(msiinfo suminfo "$msi" | sed -n 's/^Template: //p')
  case "$arch" in
    x64) [ "${template%%;*}" = x64 ] || fail "x64 package for platform '$template'" ;;
    x86) [ "${template%%;*}" = Intel ] || fail "x86 package for platform '$template'" ;;
  esac
done
[ "$(property "$work/old.msi" ProductCode)" != "$(property "$work/new-again.msi" ProductCode)" ] ||
  fail "two packages share one ProductCode"
[ "$(property "$work/new.msi" UpgradeCode)" = "{$upgrade_code}" ] ||
  fail "the newer package has another UpgradeCode"

# ---- The exes as Windows expects them --------------------------------------------------------
bash scripts/check-windows-exe.sh x64 build-windows/pantrel.exe || fail "the x64 exe"
bash scripts/check-windows-exe.sh x86 build-windows-x86/pantrel.exe || fail "the x86 exe"

# ---- Under Wine ------------------------------------------------------------------------------
wine_start

# The signed exe still runs.
status=0
wine "$work/signed.exe" -validate "$(winepath -w examples/kasy_fiskalne.xml)" >/dev/null 2>&1 ||
  status=$?
[ "$status" -eq 0 ] || fail "the signed exe ended -validate with $status"

folder="$WINEPREFIX/drive_c/Program Files/Tarvex/Pantrel"
# Wine puts the shortcut of a per-machine package into its one user's Start menu, not the
# common one (the per-machine scope itself is the package's ALLUSERS, checked above).
shortcut_name="Start Menu/Programs/Program serwisowy sterowników uniwersalnych.lnk"
shortcuts=("$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/$shortcut_name"
  "$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Microsoft/Windows/$shortcut_name")
shortcut_found() { [ -f "${shortcuts[0]}" ] || [ -f "${shortcuts[1]}" ]; }
uninstall='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'
msiexec() {  # /i or /x, package; the exit status of msiexec
  wine msiexec "$1" "$(winepath -w "$2")" /qn </dev/null >/dev/null 2>&1
}
# The product's entry under Uninstall, as "name=value" lines of its named values.
entry() {  # product code
  wine reg query "$uninstall\\$1" /reg:64 2>/dev/null | tr -d '\r' |
    sed -n 's/^ \+\([A-Za-z]\+\) \+REG_[A-Z_]\+ \+\(.*\)$/\1=\2/p'
}
# A GUID as Windows Installer names its keys: the first three groups reversed, the bytes of the
# rest swapped.
packed() {
  local code=${1//[-\{\}]/} out i
  out=$(rev <<<"${code:0:8}")$(rev <<<"${code:8:4}")$(rev <<<"${code:12:4}")
  for ((i = 16; i < 32; i += 2)); do out+=${code:i+1:1}${code:i:1}; done
  echo "$out"
}
# How many products of this UpgradeCode the system lists.
products() {
  wine reg query "HKLM\\Software\\Classes\\Installer\\UpgradeCodes\\$(packed "$upgrade_code")" /reg:64 2>/dev/null |
    tr -d '\r' | grep -c 'REG_SZ' || true
}

msiexec /i "$work/old.msi" || fail "msiexec /i ended with $?"
old_code=$(property "$work/old.msi" ProductCode)
[ -f "$folder/pantrel.exe" ] || fail "pantrel.exe not installed in Program Files\\Tarvex\\Pantrel"
[ -f "$folder/licencje.txt" ] || fail "licencje.txt not installed beside the exe"
cmp -s "$folder/pantrel.exe" "$work/signed.exe" || fail "the installed exe is not the packaged one"
shortcut_found || fail "no Start-menu shortcut \"$(basename "$shortcut_name")\""
fields=$(entry "$old_code")
for expected in "Publisher=Tarvex" "DisplayVersion=$version" \
    "DisplayName=Sterowniki uniwersalne firmy Tarvex - program serwisowy"; do
  grep -qxF "$expected" <<<"$fields" || fail "uninstall entry lacks $expected: $fields"
done
# Programs and Features shows the icon that Windows Installer keeps with the product.
wine reg query "HKLM\\Software\\Classes\\Installer\\Products\\$(packed "$old_code")" /v ProductIcon \
  /reg:64 2>/dev/null | grep -q 'pantrel\.ico' || fail "the product has no icon"
install_dir=$(wine reg query 'HKLM\Software\Tarvex\Pantrel' /v InstallDir /reg:32 2>/dev/null |
  tr -d '\r' | sed -n 's/^ *InstallDir *REG_SZ *//p')
[ "$install_dir" = 'C:\Program Files\Tarvex\Pantrel\' ] ||
  fail "InstallDir in the 32-bit view is '$install_dir'"
app_path=$(wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\App Paths\pantrel.exe' \
  /ve /reg:64 2>/dev/null | tr -d '\r' | sed -n 's/^ *([^)]*) *REG_SZ *//p')
[ "$app_path" = 'C:\Program Files\Tarvex\Pantrel\pantrel.exe' ] ||
  fail "App Paths names '$app_path'"

# The installed tool registers an example's models where the universal driver reads them; then
# "start" finds it through App Paths alone.
cash='HKLM\Software\Tarvex\Sterowniki2\Kasy fiskalne\{FED75241-388C-11d9-AAE0-000C2963BED9}\ModeleUni'
status=0
wine "$folder/pantrel.exe" -install "$(winepath -w examples/kasy_fiskalne.xml)" >/dev/null 2>&1 ||
  status=$?
[ "$status" -eq 0 ] || fail "the installed exe ended -install with $status"
wine reg query "$cash" /reg:32 2>/dev/null | grep -q 'Kasomat Mini 100|' ||
  fail "the installed exe registered no model"
status=0
wine cmd /c start /wait pantrel.exe -install "$(winepath -w examples/wagi_etykietujace.xml)" \
  </dev/null >/dev/null 2>&1 || status=$?
wine reg query 'HKLM\Software\Tarvex\Sterowniki2\Wagi etykietujące' /s /reg:32 2>/dev/null |
  grep -q 'REG_SZ' || fail "'start pantrel.exe' did not find the tool (status $status)"

# A newer version replaces the older in place; another build of it replaces it again; an older
# one is refused while the newer stays.
msiexec /i "$work/new.msi" || fail "the upgrade ended with $?"
[ -z "$(entry "$old_code")" ] || fail "the older version is still listed after the upgrade"
grep -qxF "DisplayVersion=$newer" <<<"$(entry "$(property "$work/new.msi" ProductCode)")" ||
  fail "the newer version is not listed after the upgrade"
[ -f "$folder/pantrel.exe" ] || fail "pantrel.exe gone after the upgrade"
msiexec /i "$work/new-again.msi" || fail "another build of the same version ended with $?"
[ -z "$(entry "$(property "$work/new.msi" ProductCode)")" ] ||
  fail "two builds of version $newer are listed"
[ "$(products)" = 1 ] || fail "$(products) products of the UpgradeCode are installed, not 1"
msiexec /i "$work/old.msi" && fail "an older version was installed over a newer one"
[ "$(products)" = 1 ] || fail "the refused older version changed the installed products"

# Uninstalling removes the program's files, shortcut and entries, never the models.
last_code=$(property "$work/new-again.msi" ProductCode)
msiexec /x "$work/new-again.msi" || fail "msiexec /x ended with $?"
[ ! -e "$folder/pantrel.exe" ] && [ ! -e "$folder/licencje.txt" ] ||
  fail "files left after uninstalling: $(ls "$folder")"
shortcut_found && fail "the shortcut is left after uninstalling"
[ -z "$(entry "$last_code")" ] || fail "the uninstall entry is left after uninstalling"
wine reg query 'HKLM\Software\Tarvex\Pantrel' /v InstallDir /reg:32 >/dev/null 2>&1 &&
  fail "InstallDir is left after uninstalling"
wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\App Paths\pantrel.exe' /reg:64 \
  >/dev/null 2>&1 && fail "the App Paths entry is left after uninstalling"
wine reg query "$cash" /reg:32 2>/dev/null | grep -q 'Kasomat Mini 100|' ||
  fail "uninstalling the tool removed the drivers' model registrations"

if [ "$failures" -ne 0 ]; then
  echo "Windows release: $failures failure(s)" >&2
  exit 1
fi
echo "Windows release: passed"
