#!/bin/bash
# Given a certificate and key, the build signs every program and library of the release and the
# setup program: signed with a throwaway certificate, each verifies against it.
#   signing_test.sh RELEASE WORK     (RELEASE: dist/x86, copied and left alone; WORK: made anew)
set -euo pipefail
release=$1 work=$2
rm -rf "$work" && mkdir -p "$work" && cp -r "$release" "$work/release"
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Purvex test signer" -addext extendedKeyUsage=codeSigning \
  -keyout "$work/key.pem" -out "$work/cert.pem" 2>/dev/null
PURVEX_SIGN_CERT=$work/cert.pem PURVEX_SIGN_KEY=$work/key.pem \
  "$(dirname "$0")/../../scripts/package.sh" "$work/release" "$work/out" >/dev/null
failures=0
for f in "$work"/release/*.exe "$work"/release/*.dll "$work"/out/Purvex-Setup-*.exe; do
  osslsigncode verify -CAfile "$work/cert.pem" -in "$f" >"$work/verify.log" 2>&1 ||
    { echo "FAIL: $(basename "$f") does not verify"; cat "$work/verify.log"; failures=$((failures + 1)); }
done
[ $failures -eq 0 ]
