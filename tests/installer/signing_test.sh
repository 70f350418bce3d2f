#!/bin/bash
# Given a certificate and key, the build signs every program and library of the release and the
# setup program: signed with a throwaway certificate, each verifies against it. A signer that fails
# on the uninstaller or on the setup program fails the build, which leaves no artefact.
#   signing_test.sh RELEASE WORK     (RELEASE: dist/x86, copied and left alone; WORK: made anew)
set -euo pipefail
release=$1 work=$2 package=$(dirname "$0")/../../scripts/package.sh
rm -rf "$work" && mkdir -p "$work/bin" && cp -r "$release" "$work/release"
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=Purvex test signer" -addext extendedKeyUsage=codeSigning \
  -keyout "$work/key.pem" -out "$work/cert.pem" 2>/dev/null
export PURVEX_SIGN_CERT=$work/cert.pem PURVEX_SIGN_KEY=$work/key.pem
"$package" "$work/release" "$work/out" >/dev/null
failures=0
for f in "$work"/release/*.exe "$work"/release/*.dll "$work"/out/Purvex-Setup-*.exe; do
  osslsigncode verify -CAfile "$work/cert.pem" -in "$f" >"$work/verify.log" 2>&1 ||
    { echo "FAIL: $(basename "$f") does not verify"; cat "$work/verify.log"; failures=$((failures + 1)); }
done

# The signer fails on its call number FAIL_AT: after the release's files, the uninstaller, then the setup program.
printf '#!/bin/bash\nn=$(($(cat "%s" 2>/dev/null || echo 0) + 1)); echo $n > "%s"\n[ $n != "$FAIL_AT" ] || exit 1\nexec %q "$@"\n' \
  "$work/calls" "$work/calls" "$(command -v osslsigncode)" > "$work/bin/osslsigncode"
chmod +x "$work/bin/osslsigncode"
files=$(ls "$work"/release/*.exe "$work"/release/*.dll | wc -l)
for at in $((files + 1)) $((files + 2)); do
  rm -rf "$work/failing" "$work/calls" && cp -r "$release" "$work/failing"
  if FAIL_AT=$at PATH="$work/bin:$PATH" "$package" "$work/failing" "$work/out" >/dev/null 2>&1 || [ -n "$(ls "$work/out")" ]; then
    echo "FAIL: a signer failing on call $at left: $(ls "$work/out")"; failures=$((failures + 1))
  fi
done
[ $failures -eq 0 ]
