#!/bin/bash
# Signs one program in place with osslsigncode: sign-file.sh FILE OSSLSIGNCODE-SIGN-ARGUMENTS...
set -euo pipefail
file=$1
shift
rm -f "$file.signed"
osslsigncode sign "$@" -in "$file" -out "$file.signed" >/dev/null
mv -f "$file.signed" "$file"
