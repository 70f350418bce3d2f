#!/bin/bash
# Every program of either build carries the manifest, read back from the built files: the execution
# level it asks for (administrator rights for the window programs, as started for the console one),
# the systems it knows, and no dependency on version 6 of the common controls.
#   manifest_test.sh DIST     (DIST: holds x86 and x64)
set -uo pipefail
failures=0
for build in x86 x64; do
  for program in Purvex.exe:requireAdministrator Freshen.exe:requireAdministrator PurvexScan.exe:asInvoker; do
    f=$1/$build/${program%%:*} level=${program#*:}
    manifest=$(x86_64-w64-mingw32-windres -i "$f" -O rc | sed -n '/^1 24 /,/^END/p')
    grep -q "requestedExecutionLevel level=\"\"$level\"\"" <<< "$manifest" &&
      [ "$(grep -c '<supportedOS Id=' <<< "$manifest")" = 5 ] && ! grep -q Common-Controls <<< "$manifest" ||
      { echo "FAIL: $f: ${manifest:-no manifest}"; failures=$((failures + 1)); }
  done
done
[ $failures -eq 0 ]
