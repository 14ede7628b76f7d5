#!/usr/bin/env bash
# Signs Windows files (pantrel.exe, the MSI) in place with Authenticode, SHA-256, when a PKCS#12
# certificate is given; does nothing otherwise, so unsigned test builds need no certificate.
#   PANTREL_SIGN_PKCS12=cert.p12 PANTREL_SIGN_PASSWORD=… [PANTREL_SIGN_TIMESTAMP_URL=https://…] \
#     scripts/sign-windows.sh FILE...
# The timestamp (RFC 3161) keeps the signature valid after the certificate expires; it needs the
# network, so it is only asked for when a URL is given.
set -euo pipefail

if [ -z "${PANTREL_SIGN_PKCS12:-}" ]; then
  echo "sign-windows.sh: no certificate (PANTREL_SIGN_PKCS12), files left unsigned"
  exit 0
fi
if [ ! -r "$PANTREL_SIGN_PKCS12" ]; then
  echo "sign-windows.sh: cannot read the certificate $PANTREL_SIGN_PKCS12" >&2
  exit 1
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The password goes through a private file, never on a command line other users can read.
(umask 077 && printf '%s' "${PANTREL_SIGN_PASSWORD:-}" >"$work/password")
timestamp=()
[ -z "${PANTREL_SIGN_TIMESTAMP_URL:-}" ] || timestamp=(-ts "$PANTREL_SIGN_TIMESTAMP_URL")

for file in "$@"; do
  # Signed into a new file, which replaces the original only when signing succeeded.
  osslsigncode sign -pkcs12 "$PANTREL_SIGN_PKCS12" -readpass "$work/password" -h sha256 \
    -n "Pantrel" "${timestamp[@]}" -in "$file" -out "$work/signed" >/dev/null
  cat "$work/signed" >"$file"
  rm -f "$work/signed"
  echo "sign-windows.sh: signed $file"
done
