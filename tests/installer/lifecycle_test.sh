#!/bin/bash
# The setup program's whole life on one machine, in a fresh 32-bit prefix with a private HOME:
# a silent install; the program started from its Start-menu shortcut; a silent upgrade over the
# running program whose block list and logs the user changed; a silent uninstall.
#   lifecycle_test.sh DIST WORK PROBE
# DIST holds the artefacts and the release folder x86, WORK is made anew, PROBE is shortcut_probe.exe.
set -uo pipefail
dist=$1 work=$2 probe=$3
here=$(cd "$(dirname "$0")" && pwd)
scripts=$(cd "$here/../../scripts" && pwd)
release=$dist/x86
setup=$(ls -t "$dist"/Purvex-Setup-*.exe 2>/dev/null | head -n 1)
[ -n "$setup" ] || { echo "no setup program in $dist: run scripts/build.sh first"; exit 1; }
[ "$setup" -nt "$release/Purvex.exe" ] || { echo "$setup is older than the release: run scripts/build.sh"; exit 1; }

rm -rf "$work"
mkdir -p "$work"
prefix=$work/prefix
"$scripts/wine-prefix.sh" up "$prefix" win32
source "$scripts/wine-env.sh"
wine_env "$prefix" win32
wineserver -k   # no persistent server: "wineserver -w" below waits for every process of a step

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
ok() { echo "ok: $*"; }
# Runs a Windows program and waits until every process it started has ended (at most 90 s).
run() { "$WINE" "$@"; local rc=$?; timeout 90 wineserver -w || fail "processes still running after: $*"; return $rc; }
# Registry and probe output comes in the ANSI code page (949).
reg_query() { "$WINE" reg query "$1" 2>/dev/null | iconv -f CP949 -t UTF-8 | tr -d '\r' | grep -E '^(HKEY_|    )'; }
probe_list() { "$WINE" "$probe" list "$1" 2>/dev/null | iconv -f CP949 -t UTF-8 | tr -d '\r' | sort; }

install_dir=$prefix/drive_c/Program\ Files/Purvex
win_dir='C:\Program Files\Purvex'
start_menu='C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Purvex'
desktop='C:\users\Public\Desktop'
arp='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Purvex'
record='HKLM\SOFTWARE\(주)Orvane\Purvex\version'
version=$(basename "$setup" .exe)
version=${version#Purvex-Setup-}
same_as_release() { cmp -s "$release/$1" "$install_dir/$1"; }

# --- A silent install places every file, the shortcuts and the "Add or Remove Programs" entry.
run "$setup" /S || fail "silent install exited with $?"
for f in "$release"/*; do
  same_as_release "$(basename "$f")" || fail "installed $(basename "$f") differs from the release"
done
[ -f "$install_dir/Uninstall.exe" ] || fail "no uninstaller"
expected_menu="Purvex 제거.lnk|$win_dir\\Uninstall.exe|$win_dir
Purvex.lnk|$win_dir\\Purvex.exe|$win_dir"
[ "$(probe_list "$start_menu")" = "$expected_menu" ] || fail "Start-menu shortcuts: $(probe_list "$start_menu")"
[ "$(probe_list "$desktop")" = "Purvex.lnk|$win_dir\\Purvex.exe|$win_dir" ] || fail "desktop shortcut: $(probe_list "$desktop")"
entry=$(reg_query "$arp")
for line in "DisplayName    REG_SZ    Purvex" "DisplayVersion    REG_SZ    $version" \
    "Publisher    REG_SZ    (주)Orvane" "DisplayIcon    REG_SZ    $win_dir\\Purvex.exe,0" \
    "InstallLocation    REG_SZ    $win_dir" "UninstallString    REG_SZ    \"$win_dir\\Uninstall.exe\"" \
    "QuietUninstallString    REG_SZ    \"$win_dir\\Uninstall.exe\" /S" \
    "NoModify    REG_DWORD    0x1" "NoRepair    REG_DWORD    0x1"; do
  grep -qxF "    $line" <<< "$entry" || fail "entry lacks: $line"
done
size_kb=$(sed -n 's/^    EstimatedSize    REG_DWORD    \(0x[0-9a-f]*\)$/\1/p' <<< "$entry")
release_bytes=$(cat "$release"/* | wc -c)
[ -n "$size_kb" ] && [ $((size_kb * 1024)) -ge "$release_bytes" ] || fail "EstimatedSize ${size_kb:-missing} KB < $release_bytes bytes"
ok "install"

# --- The program starts from its shortcut, in the installation folder: at start it deletes the
# updater's left-over version file from its current folder, and it writes the version record.
echo leftover > "$install_dir/Purvex_Ver.txt"
"$WINE" "$probe" start "$start_menu\\Purvex.lnk" "Purvex - Beta Version" || fail "no main window from the shortcut"
[ ! -e "$install_dir/Purvex_Ver.txt" ] || fail "the program did not start in its installation folder"
reg_query "$record" | grep -q 'Purvex.exe' || fail "no version record after the first start"
ok "start from the shortcut"

# --- An upgrade over the running program keeps the user's block list and logs, replaces the
# program files and the signature database, and records their versions in the version record
# (found under its code-page-949 name: no second maker key appears).
record_value() { reg_query "$record" | sed -n "s/^    $1    REG_SZ    //p"; }
engine_version=$(record_value Purvex.dll)
for value in Purvex.exe:0.9 Purvex.dll:0.9 PurvexADB:2004.10.07 KordonADB:2004.10.09; do
  "$WINE" reg add "$record" /v "${value%%:*}" /d "${value#*:}" /f >/dev/null 2>&1
done
printf 'KADB\001\000\000\000\000' > "$install_dir/Kordon.adb"   # the user emptied the block list
mkdir -p "$install_dir/PurvexLog/00000001" "$install_dir/PurvexBackup"
echo report > "$install_dir/PurvexLog/00000001/report.txt"
echo backup > "$install_dir/PurvexBackup/backup.dat"
echo damaged > "$install_dir/Purvex.dll"
echo damaged > "$install_dir/Purvex.adb"
cp "$install_dir/Kordon.adb" "$work/user-Kordon.adb"
run "$setup" /S || fail "silent upgrade exited with $?"   # run waits: the program must have ended
for f in Purvex.exe Purvex.dll Purvex.adb; do same_as_release $f || fail "upgrade did not replace $f"; done
cmp -s "$work/user-Kordon.adb" "$install_dir/Kordon.adb" || fail "upgrade replaced the user's Kordon.adb"
[ -f "$install_dir/PurvexLog/00000001/report.txt" ] && [ -f "$install_dir/PurvexBackup/backup.dat" ] ||
  fail "upgrade lost the logs or backups"
versions=$(for v in Purvex.exe Purvex.dll PurvexADB KordonADB; do printf '%s ' "$(record_value $v)"; done)
[ "$versions" = "$version $engine_version 2004.10.06 2004.10.09 " ] || fail "recorded versions after the upgrade: $versions"
[ "$(reg_query 'HKLM\SOFTWARE' | grep -c Orvane)" = 1 ] || fail "maker keys: $(reg_query 'HKLM\SOFTWARE' | grep Orvane)"
ok "upgrade (recorded versions: $versions)"

# --- A silent uninstall (the entry's quiet command) removes what setup installed, and only that.
echo mine > "$install_dir/notes.txt"
quiet=$(reg_query "$arp" | sed -n 's/^    QuietUninstallString    REG_SZ    "\([^"]*\)" \(.*\)$/\1|\2/p')
run "${quiet%%|*}" "${quiet#*|}" || fail "silent uninstall exited with $?"
left=$(cd "$install_dir" && find . -type f | sort | tr '\n' ' ')
[ "$left" = "./PurvexBackup/backup.dat ./PurvexLog/00000001/report.txt ./notes.txt " ] || fail "left after uninstall: $left"
[ -z "$(probe_list "$start_menu")$(probe_list "$desktop")" ] || fail "shortcuts left after uninstall"
[ ! -e "$prefix/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Purvex" ] || fail "Start-menu folder left"
[ -z "$(reg_query "$arp")" ] || fail "the Add or Remove Programs entry is left"
reg_query 'HKLM\SOFTWARE' | grep -q 'Orvane' && fail "a maker key is left: $(reg_query 'HKLM\SOFTWARE' | grep Orvane)"
ok "uninstall"

wineserver -k
[ $failures -eq 0 ] || { echo "$failures failures"; exit 1; }
