#!/bin/bash
# package.sh and the update key Freshen.exe embeds: with the test key the artefacts are named
# -testkey, with a warning, and a release run (PURVEX_RELEASE=1) is refused; with a key of the
# maker's own (here: a copy of Freshen.exe with another key's modulus in the test key's place) they
# get the plain names, and PURVEX_UPDATE_KEY must name that key.
#   update_key_test.sh RELEASE WORK     (RELEASE: dist/x86, copied and left alone; WORK: made anew)
# Exits 77 (skipped) when RELEASE was built with another key than the test key.
set -uo pipefail
release=$1 work=$2 scripts=$(cd "$(dirname "$0")/../../scripts" && pwd)
source "$scripts/update-key.sh"
embeds_key "$release/Freshen.exe" "$test_update_key" || { echo "the release embeds another key than the test key"; exit 77; }
rm -rf "$work" && mkdir -p "$work" && cp -r "$release" "$work/test" && cp -r "$release" "$work/own"
openssl genpkey -algorithm RSA -pkeyopt rsa_keygen_bits:3072 -out "$work/own.pem" 2>/dev/null &&
  openssl pkey -in "$work/own.pem" -pubout -out "$work/own-public.pem"
python3 - "$work/own/Freshen.exe" "$(key_modulus "$test_update_key")" "$(key_modulus "$work/own-public.pem")" <<'PY'
import sys
data = open(sys.argv[1], 'rb').read()
open(sys.argv[1], 'wb').write(data.replace(bytes.fromhex(sys.argv[2]), bytes.fromhex(sys.argv[3])))
PY

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
package() { "$scripts/package.sh" "$work/$1" "$work/out-$2" >"$work/$2.log" 2>&1; }  # folder, run name
artefacts() { (cd "$work/out-$1" 2>/dev/null && LC_ALL=C ls | sed 's/[0-9][0-9.]*[0-9]/V/' | tr '\n' ' '); }

package test test || fail "a test-key build is not packaged"
[ "$(artefacts test)" = "Purvex-V-testkey-portable.zip Purvex-Setup-V-testkey.exe " ] || fail "test key: $(artefacts test)"
grep -q '^WARNING: Freshen.exe embeds the test update key' "$work/test.log" || fail "test key: no warning"
PURVEX_RELEASE=1 package test release && fail "a release run packages the test key"
[ -z "$(artefacts release)" ] || fail "refused release run: $(artefacts release)"

PURVEX_RELEASE=1 PURVEX_UPDATE_KEY=$work/own-public.pem package own own || fail "an own-key build is not packaged"
[ "$(artefacts own)" = "Purvex-V-portable.zip Purvex-Setup-V.exe " ] || fail "own key: $(artefacts own)"
! grep -q WARNING "$work/own.log" || fail "own key: a warning"
PURVEX_UPDATE_KEY=$test_update_key package own other && fail "packaged with PURVEX_UPDATE_KEY naming another key"
[ $failures -eq 0 ]
