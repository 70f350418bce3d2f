#!/bin/bash
# The symbols zip reads an address of the stripped release's Purvex.exe back to a line of our source,
# through the debug link, and belongs to that build (the same build id).
#   symbols_test.sh DIST WORK     (DIST: the artefacts and x86; WORK: made anew)
set -uo pipefail
dist=$1 work=$2 tools=i686-w64-mingw32
rm -rf "$work" && mkdir -p "$work" && cp "$dist/x86/Purvex.exe" "$work/"
unzip -q "$(ls -t "$dist"/Purvex-*-symbols.zip | head -n 1)" -d "$work" || exit 1
address=$("$tools-nm" "$work/Purvex.exe.debug" | awk '$3 == "__ZN10CPurvexApp12InitInstanceEv" { print $1 }')
line=$("$tools-addr2line" -e "$work/Purvex.exe" "0x$address")
build_id() { "$tools-objdump" -p "$1" | grep -o 'RSDS signature [0-9a-f]*'; }
[[ $line == */app/purvex_app.cpp:[0-9]* ]] && [ -n "$(build_id "$work/Purvex.exe")" ] &&
  [ "$(build_id "$work/Purvex.exe")" = "$(build_id "$work/Purvex.exe.debug")" ] ||
  { echo "FAIL: 0x$address reads as '$line'; build ids '$(build_id "$work/Purvex.exe")' '$(build_id "$work/Purvex.exe.debug")'"; exit 1; }
