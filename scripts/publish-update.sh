#!/bin/bash
# Writes an update server's folder from an installation folder: every file of the release,
# "Purvex_Ver.txt" announcing each with VER, SHA256 and SIZE plus an [UPDATE]
# section with SERIAL and EXPIRES, and "Purvex_Ver.sig", the version file's
# signature (RSA-3072, SHA-256, PKCS #1 v1.5) made with openssl.
#
#   scripts/publish-update.sh --key PRIVATE_KEY --serial N [--expires YYYY-MM-DD]
#                             [--version SECTION=VER ...] DIST_FOLDER OUT_FOLDER
#
# VER defaults to what the version record would hold for the file: the file
# version of a program or library, else (Purvex.dll: the engine's version
# text; Kordon.dll and the databases, whose files carry none) the text the
# main program's first start records; the release's other files, which carry
# no version text, are at the release's version, Purvex.exe's. --version PURVEXADB=2099.01.01 and the
# like set it. --expires defaults to 90 days from today (UTC). SERIAL must be
# at least the serial of the last update users accepted.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
usage() {
  echo "usage: $0 --key PRIVATE_KEY --serial N [--expires YYYY-MM-DD] [--version SECTION=VER ...] DIST_FOLDER OUT_FOLDER" >&2
  exit 2
}
fail() { echo "$0: $*" >&2; exit 1; }

# Section, file on the server, what the version record first holds when the file carries no version
# (the shipped versions of app/purvex_version.h; "release": Purvex.exe's version). The rows of the
# updater's file table (updater/file_table.cpp).
shipped() { sed -n "s/^#define $1 \"\(.*\)\"\$/\1/p" "$root/app/purvex_version.h"; }
table=(
  "PURVEXEXE Purvex.exe -"
  "CHRONIKDLL Chronik.dll -"
  "PURVEXDLL Purvex.dll engine"
  "KORDONDLL Kordon.dll $(shipped KORDON_DLL_SHIPPED_VERSION)"
  "KORDONADB Kordon.adb $(shipped KORDON_ADB_SHIPPED_VERSION)"
  "PURVEXADB Purvex.adb $(shipped PURVEX_ADB_SHIPPED_VERSION)"
  "PVFRAMEDLL PvFrame.dll release"
  "TASKWALKDLL Taskwalk.dll release"
  "NKSHELLAPIDLL NKShellAPI.dll release"
  "FRESHENEXE Freshen.exe release"
  "PURVEXSCANEXE PurvexScan.exe release"
)

key= serial= expires= positional=()
declare -A version=()
while [ $# -gt 0 ]; do
  case $1 in
    --key) [ $# -ge 2 ] || usage; key=$2; shift 2 ;;
    --serial) [ $# -ge 2 ] || usage; serial=$2; shift 2 ;;
    --expires) [ $# -ge 2 ] || usage; expires=$2; shift 2 ;;
    --version)
      [ $# -ge 2 ] && [[ $2 == *=* ]] || usage
      version[${2%%=*}]=${2#*=}
      shift 2 ;;
    -*) usage ;;
    *) positional+=("$1"); shift ;;
  esac
done
[ -n "$key" ] && [ -n "$serial" ] && [ ${#positional[@]} -eq 2 ] || usage
dist=${positional[0]} out=${positional[1]}

[[ $serial =~ ^[1-9][0-9]{0,9}$ ]] && [ "$serial" -le 4294967295 ] || fail "--serial must be 1 to 4294967295"
[ -n "$expires" ] || expires=$(date -u -d '+90 days' +%F)
[[ $expires =~ ^[0-9]{4}-[0-9]{2}-[0-9]{2}$ ]] && [ "$(date -u -d "$expires" +%F 2>/dev/null)" = "$expires" ] ||
  fail "--expires must be a date YYYY-MM-DD"
openssl rsa -in "$key" -noout -text 2>/dev/null | grep -q '^Private-Key: (3072 bit' ||
  fail "$key is not an RSA-3072 private key"
for section in "${!version[@]}"; do
  printf '%s\n' "${table[@]}" | grep -q "^$section " || fail "no section $section"
  v=${version[$section]}
  [ ${#v} -ge 1 ] && [ ${#v} -le 19 ] && [[ $v != *[$'\r\n']* ]] || fail "VER of $section must have 1 to 19 characters"
done

# The FileVersion text of a program or library ("" when it has none).
file_version() {
  python3 - "$1" <<'PY'
import sys
data = open(sys.argv[1], 'rb').read()
key = 'FileVersion\0'.encode('utf-16-le')
at = data.find(key)
if at >= 6:
    header = at - 6  # wLength, wValueLength, wType, then the key
    count = int.from_bytes(data[header + 2:header + 4], 'little')
    value = header + ((at + len(key) - header + 3) & ~3)
    print(data[value:value + 2 * count].decode('utf-16-le').rstrip('\0'))
PY
}

mkdir -p "$out"
text=
for row in "${table[@]}"; do
  read -r section file first <<<"$row"
  [ -f "$dist/$file" ] || fail "$dist/$file is missing"
  v=${version[$section]:-}
  if [ -z "$v" ] && [ "$first" = release ]; then v=$(file_version "$dist/Purvex.exe"); fi
  if [ -z "$v" ]; then v=$(file_version "$dist/$file"); fi
  if [ -z "$v" ] && [ "$first" = engine ]; then
    v=$(sed -n 's/.*ftool_GetVer(void) *{ *return "\([^"]*\)".*/\1/p' "$root/engine/exports.cpp")
  elif [ -z "$v" ] && [ "$first" != - ]; then
    v=$first
  fi
  [ -n "$v" ] || fail "no version known for $file: give --version $section=VER"
  cp "$dist/$file" "$out/$file"
  digest=$(LC_ALL=C sha256sum "$out/$file" | cut -d' ' -f1)
  size=$(stat -c %s "$out/$file")
  text+="[$section]"$'\r\n'"VER=$v"$'\r\n'"SHA256=$digest"$'\r\n'"SIZE=$size"$'\r\n'
  echo "  $section  $file  VER=$v  SIZE=$size"
done
text+="[UPDATE]"$'\r\n'"SERIAL=$serial"$'\r\n'"EXPIRES=$expires"$'\r\n'
printf '%s' "$text" > "$out/Purvex_Ver.txt"
openssl dgst -sha256 -sign "$key" -out "$out/Purvex_Ver.sig" "$out/Purvex_Ver.txt"
echo "  UPDATE  SERIAL=$serial  EXPIRES=$expires"
echo "Signed Purvex_Ver.txt with $key into $out"
