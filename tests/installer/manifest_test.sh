#!/bin/bash
# Both programs of either build carry the manifest, read back from the built files: administrator
# rights asked for, the systems it knows, and no dependency on version 6 of the common controls.
#   manifest_test.sh DIST     (DIST: holds x86 and x64)
set -uo pipefail
failures=0
for f in "$1"/x86/Purvex.exe "$1"/x86/Freshen.exe "$1"/x64/Purvex.exe "$1"/x64/Freshen.exe; do
  manifest=$(x86_64-w64-mingw32-windres -i "$f" -O rc | sed -n '/^1 24 /,/^END/p')
  grep -q 'requestedExecutionLevel level=""requireAdministrator""' <<< "$manifest" &&
    [ "$(grep -c '<supportedOS Id=' <<< "$manifest")" = 5 ] && ! grep -q Common-Controls <<< "$manifest" ||
    { echo "FAIL: $f: ${manifest:-no manifest}"; failures=$((failures + 1)); }
done
[ $failures -eq 0 ]
