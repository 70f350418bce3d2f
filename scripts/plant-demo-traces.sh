#!/bin/bash
# plant-demo-traces.sh PREFIX [ARCH]   (a prefix made by wine-prefix.sh; ARCH win32, the default, or win64)
# Plants a few harmless traces of adware records of the shipped database
# (signatures/purvex-signatures.txt) into the Wine prefix PREFIX, so that a
# first scan finds something to cure: files (plain text, nothing runs), a
# folder, registry keys and a registry value. Running it again is harmless.
#
#   Xupiter        folder %ProgramFiles%\Xupiter, keys HKCU/HKLM Software\Xupiter
#   Gator (GAIN)   file %ProgramFiles%\Gator\gator.exe and its folder,
#                  Run value "gator" (naming no program), key HKCU Software\Gator
#   Cydoor         file %sys%\cd_clint.dll, key HKLM SOFTWARE\Cydoor
set -eu
if [ $# -lt 1 ] || [ $# -gt 2 ]; then
  echo "usage: $0 PREFIX [ARCH]" >&2
  exit 2
fi
source "$(dirname "$0")/wine-env.sh"
wine_env "$(cd "$1" && pwd)" "${2:-win32}"
wine=$WINE
drive="$WINEPREFIX/drive_c"
if [ ! -d "$drive/windows/system32" ]; then
  echo "$0: $WINEPREFIX is not a Wine prefix" >&2
  exit 1
fi

note="Purvex demo trace: a harmless text file planted for a first scan."
plant_file() {  # plant_file DIR NAME
  mkdir -p "$1"
  printf '%s\r\n' "$note" > "$1/$2"
}
reg_add() {  # reg_add KEY [VALUE DATA]
  if [ $# -eq 1 ]; then
    $wine reg add "$1" /f >/dev/null 2>&1
  else
    $wine reg add "$1" /v "$2" /t REG_SZ /d "$3" /f >/dev/null 2>&1
  fi
}

# Xupiter: a folder and two keys.
plant_file "$drive/Program Files/Xupiter" "readme.txt"
reg_add 'HKCU\Software\Xupiter' Demo "$note"
reg_add 'HKLM\SOFTWARE\Xupiter' Demo "$note"

# Gator (GAIN): a file in its folder, a Run value, a key. The prefix's start
# runs Run values, so this one names no program at all.
plant_file "$drive/Program Files/Gator" "gator.exe"
reg_add 'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Run' gator 'rem Purvex demo trace'
reg_add 'HKCU\Software\Gator' Demo "$note"

# Cydoor: a file in the system folder and a key.
plant_file "$drive/windows/system32" "cd_clint.dll"
reg_add 'HKLM\SOFTWARE\Cydoor' Demo "$note"

echo "Planted demo traces of Xupiter, Gator (GAIN) and Cydoor into $WINEPREFIX"
