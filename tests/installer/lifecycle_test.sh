#!/bin/bash
# The setup program's life on one machine, a fresh prefix with a private HOME: refusals that change
# nothing, silent install, start from the shortcut, silent upgrade over the running program, a held
# file that fails upgrade and uninstall, a copied uninstaller, silent uninstall.
#   lifecycle_test.sh DIST WORK PROBE ARCH   (DIST: the artefacts, x86 and x64; WORK: made anew;
#                                             PROBE: shortcut_probe.exe; ARCH: the prefix's, win32 or win64)
# In a 32-bit prefix it tries the release's setup program; in a 64-bit one, where this machine may
# run no 32-bit program, a 64-bit copy that scripts/package.sh makes from DIST/x64.
set -uo pipefail
dist=$1 work=$2 probe=$3 arch=$4 scripts=$(cd "$(dirname "$0")/../../scripts" && pwd)
rm -rf "$work" && mkdir -p "$work"
if [ "$arch" = win32 ]; then
  release=$dist/x86 setup=$(ls -t "$dist"/Purvex-Setup-*.exe | head -n 1)
  [ "$setup" -nt "$release/Purvex.exe" ] || { echo "no setup program newer than $release: run scripts/build.sh"; exit 1; }
else
  release=$dist/x64
  "$scripts/package.sh" "$release" "$work/setup" >/dev/null || { echo "no 64-bit setup program"; exit 1; }
  setup=$(ls "$work"/setup/Purvex-Setup-*.exe)
fi
version=$(basename "$setup" .exe) version=${version#Purvex-Setup-} version=${version%-testkey}
"$scripts/wine-prefix.sh" up "$work/prefix" "$arch"
source "$scripts/wine-env.sh" && wine_env "$work/prefix" "$arch"
wineserver -k  # no persistent server: "wineserver -w" waits for every process a step started

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
run() { "$WINE" "$@" || fail "$* exited with $?"; timeout 90 wineserver -w || fail "processes left after $*"; }
exits() { local want=$1; shift; "$WINE" "$@"; local got=$?; [ $got = "$want" ] || fail "$* exited with $got, not $want"; }
ansi() { iconv -f CP949 -t UTF-8 | tr -d '\r'; }   # what Windows programs print here
reg_query() { "$WINE" reg query "$1" 2>/dev/null | ansi | grep -E '^(HKEY_|    )'; }
shortcuts() { "$WINE" "$probe" "$1" | ansi | sort; }
main_window() { xwininfo -root -tree | sed -n 's/^ *\(0x[0-9a-f]*\) "Purvex - Beta Version".*/\1/p' | head -n 1; }
main_window_shown() { [ -n "$(main_window)" ] && xwininfo -id "$(main_window)" | grep -q IsViewable; }
dir=$WINEPREFIX/drive_c/Program\ Files/Purvex win='C:\Program Files\Purvex'
menu='C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Purvex' desktop='C:\users\Public\Desktop'
arp='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Purvex' record='HKLM\SOFTWARE\(주)Orvane\Purvex\version'
record_value() { reg_query "$record" | sed -n "s/^    $1    REG_SZ    //p"; }
same_as_release() { for f in "$@"; do cmp -s "$release/$f" "$dir/$f" || fail "$f is not the release's"; done; }
# The uninstaller of a folder run in place (_?=, unquoted even with spaces, which only cmd passes so),
# so that its own exit code is seen.
in_place() { printf '@"%s\\Uninstall.exe" /S _?=%s\r\n@exit /b %%errorlevel%%\r\n' "$1" "$1" > "$WINEPREFIX/drive_c/un.cmd"; echo 'C:\un.cmd'; }

echo "refused under /S: a folder of other files, a folder NSIS cannot use"
mkdir -p "$WINEPREFIX/drive_c/Tools" && echo theirs > "$WINEPREFIX/drive_c/Tools/Uninstall.exe"
exits 3 "$setup" /S '/D=C:\Tools'
exits 3 "$setup" /S '/D=Tools\Purvex'
[ "$(ls "$WINEPREFIX/drive_c/Tools")" = Uninstall.exe ] && [ ! -e "$dir" ] || fail "a refused setup installed something"

echo "install"
run "$setup" /S
same_as_release $(ls "$release")
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

echo "upgrade over the running program, with the user's block list, logs and backups and a newer database"
engine_version=$(record_value Purvex.dll)
for v in Purvex.exe=0.9 Purvex.dll=0.9 PurvexADB=2004.10.07 KordonADB=2004.10.09; do
  "$WINE" reg add "$record" /v "${v%%=*}" /d "${v#*=}" /f >/dev/null 2>&1
done
printf 'KADB\001\000\000\000\000' | tee "$dir/Kordon.adb" > "$work/user-Kordon.adb"
echo "fetched by the updater" | tee "$dir/Purvex.adb" > "$work/fetched-Purvex.adb"
mkdir -p "$dir/PurvexLog/00000001" "$dir/PurvexBackup" && touch "$dir/PurvexLog/00000001/report.txt" "$dir/PurvexBackup/b.dat"
echo damaged > "$dir/Purvex.dll"
run "$setup" /S   # returns only when every process ended, the running program included
same_as_release Purvex.exe Purvex.dll
cmp -s "$work/user-Kordon.adb" "$dir/Kordon.adb" || fail "the user's Kordon.adb was replaced"
cmp -s "$work/fetched-Purvex.adb" "$dir/Purvex.adb" || fail "the newer Purvex.adb was replaced"
versions=$(for v in Purvex.exe Purvex.dll PurvexADB KordonADB; do printf '%s ' "$(record_value $v)"; done)
[ "$versions" = "$version $engine_version 2004.10.07 2004.10.09 " ] || fail "recorded versions: $versions"
[ "$(reg_query 'HKLM\SOFTWARE' | grep -c Orvane)" = 1 ] || fail "maker keys: $(reg_query 'HKLM\SOFTWARE' | grep Orvane)"

echo "a Freshen.exe that something else runs fails a silent upgrade and uninstall, which keep the entry"
cp "$WINEPREFIX/drive_c/windows/system32/notepad.exe" "$dir/Freshen.exe"
"$WINE" "$win\\Freshen.exe" & holder=$!
sleep 3
exits 5 "$setup" /S
exits 5 cmd /c "$(in_place "$win")"
[ -n "$(reg_query "$arp")" ] && [ -f "$dir/Purvex.exe" ] || fail "a failed job removed the entry or the program"
kill $holder; timeout 90 wineserver -w
cp "$release/Freshen.exe" "$dir/"

echo "a copy of the uninstaller elsewhere changes nothing"
mkdir -p "$WINEPREFIX/drive_c/Copy" && cp "$dir/Uninstall.exe" "$dir/Purvex.exe" "$WINEPREFIX/drive_c/Copy/"
exits 6 cmd /c "$(in_place 'C:\Copy')"
timeout 90 wineserver -w
[ "$(reg_query "$arp" | sed 's/^    //; s/    /=/g')" = "$entry" ] && [ -n "$(shortcuts "$menu")" ] && [ -f "$dir/Purvex.exe" ] ||
  fail "the copied uninstaller changed the installation"

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
