#!/bin/bash
# The setup program's life on one machine, a fresh 32-bit prefix with a private HOME: silent
# install, start from the shortcut, silent upgrade over the running program, silent uninstall.
#   lifecycle_test.sh DIST WORK PROBE     (DIST: the artefacts and x86; WORK: made anew; PROBE: shortcut_probe.exe)
set -uo pipefail
dist=$1 work=$2 probe=$3 scripts=$(cd "$(dirname "$0")/../../scripts" && pwd)
setup=$(ls -t "$dist"/Purvex-Setup-*.exe | head -n 1)
[ "$setup" -nt "$dist/x86/Purvex.exe" ] || { echo "no setup program newer than dist/x86: run scripts/build.sh"; exit 1; }
version=$(basename "$setup" .exe) version=${version#Purvex-Setup-} version=${version%-testkey}
rm -rf "$work" && mkdir -p "$work" && "$scripts/wine-prefix.sh" up "$work/prefix" win32
source "$scripts/wine-env.sh" && wine_env "$work/prefix" win32
wineserver -k  # no persistent server: "wineserver -w" waits for every process a step started

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
run() { "$WINE" "$@" || fail "$* exited with $?"; timeout 90 wineserver -w || fail "processes left after $*"; }
ansi() { iconv -f CP949 -t UTF-8 | tr -d '\r'; }   # what Windows programs print here
reg_query() { "$WINE" reg query "$1" 2>/dev/null | ansi | grep -E '^(HKEY_|    )'; }
shortcuts() { "$WINE" "$probe" "$1" | ansi | sort; }
main_window() { xwininfo -root -tree | sed -n 's/^ *\(0x[0-9a-f]*\) "Purvex - Beta Version".*/\1/p' | head -n 1; }
main_window_shown() { [ -n "$(main_window)" ] && xwininfo -id "$(main_window)" | grep -q IsViewable; }
dir=$WINEPREFIX/drive_c/Program\ Files/Purvex win='C:\Program Files\Purvex'
menu='C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Purvex' desktop='C:\users\Public\Desktop'
arp='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Purvex' record='HKLM\SOFTWARE\(주)Orvane\Purvex\version'
record_value() { reg_query "$record" | sed -n "s/^    $1    REG_SZ    //p"; }
same_as_release() { for f in "$@"; do cmp -s "$dist/x86/$f" "$dir/$f" || fail "$f is not the release's"; done; }

echo "install"
run "$setup" /S
same_as_release $(ls "$dist/x86")
[ -f "$dir/Uninstall.exe" ] || fail "no uninstaller"
[ "$(shortcuts "$menu")" = "Purvex 제거.lnk|$win\\Uninstall.exe|$win"$'\n'"Purvex.lnk|$win\\Purvex.exe|$win" ] ||
  fail "Start-menu shortcuts: $(shortcuts "$menu")"
[ "$(shortcuts "$desktop")" = "Purvex.lnk|$win\\Purvex.exe|$win" ] || fail "desktop shortcut: $(shortcuts "$desktop")"
entry=$(reg_query "$arp" | sed 's/^    //; s/    /=/g')
expected="DisplayIcon=REG_SZ=$win\\Purvex.exe,0
DisplayName=REG_SZ=Purvex
DisplayVersion=REG_SZ=$version
InstallLocation=REG_SZ=$win
NoModify=REG_DWORD=0x1
NoRepair=REG_DWORD=0x1
Publisher=REG_SZ=(주)Orvane
QuietUninstallString=REG_SZ=\"$win\\Uninstall.exe\" /S
UninstallString=REG_SZ=\"$win\\Uninstall.exe\""
[ "$(grep -v -e '^HKEY' -e '^EstimatedSize' <<< "$entry" | sort)" = "$(sort <<< "$expected")" ] || fail "entry: $entry"
grep -q '^EstimatedSize=REG_DWORD=0x[1-9a-f]' <<< "$entry" || fail "no EstimatedSize"

echo "start from the shortcut (which deletes the updater's left-over file from the current folder)"
echo leftover > "$dir/Purvex_Ver.txt"
"$WINE" start "$menu\\Purvex.lnk"
for _ in $(seq 60); do main_window_shown && break; sleep 0.5; done
main_window_shown || fail "no main window"
[ ! -e "$dir/Purvex_Ver.txt" ] || fail "the program did not start in its installation folder"

echo "upgrade over the running program, with the user's block list, logs and backups"
engine_version=$(record_value Purvex.dll)
for v in Purvex.exe=0.9 Purvex.dll=0.9 PurvexADB=2004.10.07 KordonADB=2004.10.09; do
  "$WINE" reg add "$record" /v "${v%%=*}" /d "${v#*=}" /f >/dev/null 2>&1
done
printf 'KADB\001\000\000\000\000' | tee "$dir/Kordon.adb" > "$work/user-Kordon.adb"
mkdir -p "$dir/PurvexLog/00000001" "$dir/PurvexBackup" && touch "$dir/PurvexLog/00000001/report.txt" "$dir/PurvexBackup/b.dat"
echo damaged | tee "$dir/Purvex.dll" > "$dir/Purvex.adb"
run "$setup" /S   # returns only when every process ended, the running program included
same_as_release Purvex.exe Purvex.dll Purvex.adb
cmp -s "$work/user-Kordon.adb" "$dir/Kordon.adb" || fail "the user's Kordon.adb was replaced"
versions=$(for v in Purvex.exe Purvex.dll PurvexADB KordonADB; do printf '%s ' "$(record_value $v)"; done)
[ "$versions" = "$version $engine_version 2004.10.06 2004.10.09 " ] || fail "recorded versions: $versions"
[ "$(reg_query 'HKLM\SOFTWARE' | grep -c Orvane)" = 1 ] || fail "maker keys: $(reg_query 'HKLM\SOFTWARE' | grep Orvane)"

echo "uninstall with the entry's quiet command"
echo mine > "$dir/notes.txt"
quiet=$(sed -n 's/^QuietUninstallString=REG_SZ="\(.*\)" \/S$/\1/p' <<< "$entry")
run "$quiet" /S
left=$(cd "$dir" && find . -type f | sort | tr '\n' ' ')
[ "$left" = "./PurvexBackup/b.dat ./PurvexLog/00000001/report.txt ./notes.txt " ] || fail "left: $left"
[ -z "$(shortcuts "$menu")$(shortcuts "$desktop")" ] && [ ! -e "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Purvex" ] || fail "shortcuts left"
[ -z "$(reg_query "$arp")$(reg_query 'HKLM\SOFTWARE' | grep Orvane)" ] || fail "keys left"

wineserver -k
echo "$failures failures" && [ $failures -eq 0 ]
