#!/bin/bash
# Makes the release artefacts from a release folder (dist/x86):
#   OUT/Purvex-Setup-<version>.exe   the setup program (NSIS), which installs every file of the folder
#   OUT/Purvex-<version>-portable.zip   the folder as a zip (a folder "Purvex" inside)
#   OUT/Purvex-<version>-symbols.zip   with --strip: the debugging information of its programs and libraries
# <version> is the FileVersion text in Purvex.exe's version resource. The setup program is made for
# the processor of the folder's programs: the release's is a 32-bit ANSI program; one made from the
# x86_64 build (dist/x64) is a 64-bit Unicode program that only the tests use, where no 32-bit
# program runs.
# A build whose Freshen.exe embeds the repository's test update key has "-testkey" after <version>
# in the names of all three.
#
#   package.sh RELEASE OUT [--strip]
# With --strip, the programs and libraries in RELEASE are stripped first, and what was taken off is
# kept: FILE.debug for each FILE in the symbols zip. Each stripped file names its .debug file (a
# debug link) and carries the build id its .debug file carries too, so that an address from a
# user's machine is read with "addr2line -e FILE ADDRESS" in a folder holding FILE and FILE.debug.
# Symbols zips of other versions are left alone: keep each with the release it belongs to.
#
# Signing: when PURVEX_SIGN_CERT and PURVEX_SIGN_KEY name a code-signing certificate and its key
# (PEM or DER files), every program and library in RELEASE, the setup program and its uninstaller
# are signed with osslsigncode, and timestamped by PURVEX_SIGN_TIMESTAMP (a timestamp server's
# address) when it is set. Without them nothing is signed, and the script says so.
#
# Any failure, a file that cannot be signed included, ends the script with a non-zero exit and no
# artefact of this version under its name (RELEASE may then be half done: build it again).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
[ $# -ge 2 ] && { [ $# -eq 2 ] || [ "$3" = --strip ]; } || { echo "usage: $0 RELEASE OUT [--strip]" >&2; exit 2; }
release=$(cd "$1" && pwd)
mkdir -p "$2"
out=$(cd "$2" && pwd)
strip=${3:-}
export LC_ALL=C

shopt -s nullglob nocaseglob
binaries=( "$release"/*.exe "$release"/*.dll )
shopt -u nocaseglob
[ -f "$release/Purvex.exe" ] || { echo "$0: $release/Purvex.exe is missing" >&2; exit 1; }

# Every entry of the release is a plain file that the setup program installs; a folder would
# escape the file list, so it stops the build.
for f in "$release"/*; do
  [ -f "$f" ] && [ ! -L "$f" ] || { echo "$0: $f is not a plain file; the setup program installs plain files only" >&2; exit 1; }
done

case $(x86_64-w64-mingw32-objdump -f "$release/Purvex.exe") in
  *pei-i386*) tools=i686-w64-mingw32 setup_target=x86-ansi ;;
  *pei-x86-64*) tools=x86_64-w64-mingw32 setup_target=amd64-unicode ;;
  *) echo "$0: $release/Purvex.exe is no Windows program for x86 or x86_64" >&2; exit 1 ;;
esac

# The update key Freshen.exe embeds. With the repository's test key anyone can sign updates: such a
# build is for the tests and the demo, its artefacts say so in their names, and a maker's release
# run (PURVEX_RELEASE=1) refuses it. PURVEX_UPDATE_KEY, when set, must be the key embedded.
source "$here/update-key.sh"
[ -f "$release/Freshen.exe" ] || { echo "$0: $release/Freshen.exe is missing" >&2; exit 1; }
key_suffix=
if embeds_key "$release/Freshen.exe" "$test_update_key"; then
  [ "${PURVEX_RELEASE:-}" != 1 ] ||
    { echo "$0: refused: Freshen.exe embeds the test update key (PURVEX_RELEASE=1); build with PURVEX_UPDATE_KEY" >&2; exit 1; }
  echo "WARNING: Freshen.exe embeds the test update key: anyone can sign updates for this build. Not for release: its artefacts are named -testkey."
  key_suffix=-testkey
elif [ -n "${PURVEX_UPDATE_KEY:-}" ] && ! embeds_key "$release/Freshen.exe" "$PURVEX_UPDATE_KEY"; then
  echo "$0: Freshen.exe does not embed the key PURVEX_UPDATE_KEY names ($PURVEX_UPDATE_KEY)" >&2; exit 1
fi

size_of() { stat -c %s "$1"; }

# FileVersion of a program, read back from its version resource.
file_version() {
  "$tools-windres" -i "$1" -O rc | sed -n 's/^ *VALUE "FileVersion", "\([^"]*\)".*/\1/p' | head -n 1
}
version=$(file_version "$release/Purvex.exe")
[[ $version =~ ^[A-Za-z0-9._-]+$ ]] || { echo "$0: Purvex.exe has no usable FileVersion ('$version')" >&2; exit 1; }
setup="$out/Purvex-Setup-$version$key_suffix.exe"
zip_file="$out/Purvex-$version$key_suffix-portable.zip"
symbols_zip="$out/Purvex-$version$key_suffix-symbols.zip"

# The artefacts of an earlier version, and an earlier build's symbols of this one, go first.
rm -f "$out"/Purvex-Setup-*.exe "$out"/Purvex-*-portable.zip
[ -z "$strip" ] || rm -f "$symbols_zip"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if [ -n "$strip" ]; then
  "$tools-objdump" -h "$release/Purvex.exe" | grep -q ' \.debug_info ' ||
    { echo "$0: $release/Purvex.exe has no debugging information (build with PURVEX_DEBUG_INFO=ON)" >&2; exit 1; }
  mkdir "$work/symbols"
  echo "Stripping the release (its debugging information into $(basename "$symbols_zip")):"
  total_before=0 total_after=0
  for f in "${binaries[@]}"; do
    name=$(basename "$f") debug="$work/symbols/$(basename "$f").debug"
    ! "$tools-objdump" -h "$f" | grep -q '\.gnu_debuglink' ||
      { echo "$0: $name is stripped already: package a fresh build (scripts/build.sh)" >&2; exit 1; }
    before=$(size_of "$f")
    "$tools-objcopy" --only-keep-debug "$f" "$debug"
    "$tools-strip" --strip-all "$f"
    "$tools-objcopy" --add-gnu-debuglink="$debug" "$f"
    after=$(size_of "$f")
    total_before=$((total_before + before)) total_after=$((total_after + after))
    printf '  %-16s %9d -> %9d bytes\n' "$name" "$before" "$after"
  done
  printf '  %-16s %9d -> %9d bytes\n' "together" "$total_before" "$total_after"
  (cd "$work/symbols" && zip -q -X -9 "$work/symbols.zip" ./*.debug)
fi

sign_args=()
if [ -n "${PURVEX_SIGN_CERT:-}" ] && [ -n "${PURVEX_SIGN_KEY:-}" ]; then
  sign_args=(-certs "$PURVEX_SIGN_CERT" -key "$PURVEX_SIGN_KEY" -n "Purvex" -h sha256)
  if [ -n "${PURVEX_SIGN_TIMESTAMP:-}" ]; then sign_args+=(-t "$PURVEX_SIGN_TIMESTAMP"); fi
  echo "Signing with $PURVEX_SIGN_CERT${PURVEX_SIGN_TIMESTAMP:+, timestamped by $PURVEX_SIGN_TIMESTAMP}"
  for f in "${binaries[@]}"; do
    "$here/sign-file.sh" "$f" "${sign_args[@]}" || { echo "$0: could not sign $(basename "$f")" >&2; exit 1; }
  done
else
  echo "Not signing: PURVEX_SIGN_CERT and PURVEX_SIGN_KEY are not set."
fi

for f in "$release"/*; do printf '${ReleaseFile} "%s"\n' "$(basename "$f")"; done > "$work/files.nsh"

# makensis writes the setup program among the work files; it takes its place once whole (and signed).
mkdir "$work/out"
nsis_args=(-V2 -INPUTCHARSET UTF8 -DSETUP_TARGET="$setup_target" -DVERSION="$version"
           -DCHRONIK_VERSION="$(file_version "$release/Chronik.dll")"
           -DRELEASE="$release" -DFILE_LIST="$work/files.nsh" -DOUTFILE="$work/out/$(basename "$setup")")
if [ ${#sign_args[@]} -gt 0 ]; then
  # makensis runs this on the setup program and on the uninstaller it holds, after each is made,
  # and stops when it fails.
  printf '#!/bin/bash\nexec %q "$1"' "$here/sign-file.sh" > "$work/sign"
  printf ' %q' "${sign_args[@]}" >> "$work/sign"
  chmod +x "$work/sign"
  nsis_args+=(-DSIGN_COMMAND="$work/sign")
fi
makensis "${nsis_args[@]}" "$root/installer/purvex.nsi"

mkdir "$work/Purvex"
cp -p "$release"/* "$work/Purvex/"
(cd "$work" && zip -q -X -r -9 "$work/portable.zip" Purvex)

mv "$work/out/$(basename "$setup")" "$setup"
mv "$work/portable.zip" "$zip_file"
artefacts=("$setup" "$zip_file")
if [ -n "$strip" ]; then mv "$work/symbols.zip" "$symbols_zip" && artefacts+=("$symbols_zip"); fi
echo "Release artefacts:"
for f in "${artefacts[@]}"; do printf '  %-34s %9d bytes\n' "$(basename "$f")" "$(size_of "$f")"; done
