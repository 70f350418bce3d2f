#!/bin/bash
# Makes the release artefacts from a release folder (dist/x86):
#   OUT/Purvex-Setup-<version>.exe   the setup program (NSIS), which installs every file of the folder
#   OUT/Purvex-<version>-portable.zip   the folder as a zip (a folder "Purvex" inside)
# <version> is the FileVersion text in Purvex.exe's version resource, followed by "-testkey" when
# Freshen.exe embeds the repository's test update key.
#
#   package.sh RELEASE OUT [UNSTRIPPED]
# With UNSTRIPPED, the programs and libraries in RELEASE are stripped first; the unstripped files
# are kept in UNSTRIPPED for debugging.
#
# Signing: when PURVEX_SIGN_CERT and PURVEX_SIGN_KEY name a code-signing certificate and its key
# (PEM or DER files), every program and library in RELEASE, the setup program and its uninstaller
# are signed with osslsigncode, and timestamped by PURVEX_SIGN_TIMESTAMP (a timestamp server's
# address) when it is set. Without them nothing is signed, and the script says so.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
[ $# -ge 2 ] || { echo "usage: $0 RELEASE OUT [UNSTRIPPED]" >&2; exit 2; }
release=$(cd "$1" && pwd)
mkdir -p "$2"
out=$(cd "$2" && pwd)
unstripped=${3:-}
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

if [ -n "$unstripped" ]; then
  rm -rf "$unstripped"
  mkdir -p "$unstripped"
  echo "Stripping the release (unstripped copies in $unstripped):"
  total_before=0 total_after=0
  for f in "${binaries[@]}"; do
    cp -p "$f" "$unstripped/"
    i686-w64-mingw32-strip --strip-all "$f"
    before=$(size_of "$unstripped/$(basename "$f")") after=$(size_of "$f")
    total_before=$((total_before + before)) total_after=$((total_after + after))
    printf '  %-16s %9d -> %9d bytes\n' "$(basename "$f")" "$before" "$after"
  done
  printf '  %-16s %9d -> %9d bytes\n' "together" "$total_before" "$total_after"
fi

# FileVersion of a program, read back from its version resource.
file_version() {
  i686-w64-mingw32-windres -i "$1" -O rc | sed -n 's/^ *VALUE "FileVersion", "\([^"]*\)".*/\1/p' | head -n 1
}
version=$(file_version "$release/Purvex.exe")
[[ $version =~ ^[A-Za-z0-9._-]+$ ]] || { echo "$0: Purvex.exe has no usable FileVersion ('$version')" >&2; exit 1; }

sign_args=()
if [ -n "${PURVEX_SIGN_CERT:-}" ] && [ -n "${PURVEX_SIGN_KEY:-}" ]; then
  sign_args=(-certs "$PURVEX_SIGN_CERT" -key "$PURVEX_SIGN_KEY" -n "Purvex" -h sha256)
  if [ -n "${PURVEX_SIGN_TIMESTAMP:-}" ]; then sign_args+=(-t "$PURVEX_SIGN_TIMESTAMP"); fi
  echo "Signing with $PURVEX_SIGN_CERT${PURVEX_SIGN_TIMESTAMP:+, timestamped by $PURVEX_SIGN_TIMESTAMP}"
  for f in "${binaries[@]}"; do "$here/sign-file.sh" "$f" "${sign_args[@]}"; done
else
  echo "Not signing: PURVEX_SIGN_CERT and PURVEX_SIGN_KEY are not set."
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for f in "$release"/*; do printf '${ReleaseFile} "%s"\n' "$(basename "$f")"; done > "$work/files.nsh"

rm -f "$out"/Purvex-Setup-*.exe "$out"/Purvex-*-portable.zip   # the artefacts of an earlier version
setup="$out/Purvex-Setup-$version$key_suffix.exe"
nsis_args=(-V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DCHRONIK_VERSION="$(file_version "$release/Chronik.dll")"
           -DRELEASE="$release" -DFILE_LIST="$work/files.nsh"
           -DOUTFILE="$setup")
if [ ${#sign_args[@]} -gt 0 ]; then
  # makensis runs this on the setup program and on the uninstaller it holds, after each is made.
  printf '#!/bin/bash\nexec %q "$1"' "$here/sign-file.sh" > "$work/sign"
  printf ' %q' "${sign_args[@]}" >> "$work/sign"
  chmod +x "$work/sign"
  nsis_args+=(-DSIGN_COMMAND="$work/sign")
fi
makensis "${nsis_args[@]}" "$root/installer/purvex.nsi"

zip_file="$out/Purvex-$version$key_suffix-portable.zip"
rm -f "$zip_file"
mkdir "$work/Purvex"
cp -p "$release"/* "$work/Purvex/"
(cd "$work" && zip -q -X -r -9 "$zip_file" Purvex)

echo "Release artefacts:"
for f in "$setup" "$zip_file"; do printf '  %-34s %9d bytes\n' "$(basename "$f")" "$(size_of "$f")"; done
