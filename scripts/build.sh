#!/bin/bash
# Builds the host tools, then the x86_64 and i686 Windows builds, and lays each
# Windows build out as an installation folder: dist/x64 and dist/x86.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
source "$root/scripts/win32-check.sh"

# The update key the release embeds: PURVEX_UPDATE_KEY names the maker's public key (PEM), and
# PURVEX_UPDATE_SERIAL the serial of the newest update published so far. Without a key the release
# embeds the repository's test key, for the tests and the demo only (package.sh names its artefacts
# so); a maker's release run, PURVEX_RELEASE=1, refuses that. The x86_64 build, which carries the
# tests, keeps the test key.
source "$root/scripts/update-key.sh"
release_key=$(realpath "${PURVEX_UPDATE_KEY:-$test_update_key}")
if [ "${PURVEX_RELEASE:-}" = 1 ] && is_test_key "$release_key"; then
  echo "build: PURVEX_RELEASE=1 needs PURVEX_UPDATE_KEY, the maker's own public update key, not the test key" >&2
  exit 1
fi

cmake -S . -B build/host -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/host

# A compiler cache, where the machine has one, speeds up rebuilds; CI goes without.
launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi

build_windows() {  # folder, toolchain arch, tests on/off, more cmake options
  cmake -S . -B "build/$1" -G Ninja -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-$2.cmake" \
    -DPURVEX_ADBTOOL="$root/build/host/adb/adbtool" -DPURVEX_KADBTOOL="$root/build/host/kordon/kadbtool" \
    -DPURVEX_TESTS="$3" "${@:4}" >/dev/null
  cmake --build "build/$1"
  rm -rf "dist/$1"
  cmake --install "build/$1" --prefix "dist/$1" >/dev/null
}
build_windows x64 x86_64 ON -DPURVEX_DEBUG_INFO=OFF
# The 32-bit release is built everywhere; its tests only where the 32-bit Wine
# runs them (elsewhere the x86_64 build carries every test).
if win32_wine_runs; then x86_tests=ON; else x86_tests=OFF; fi
# The release is built with debugging information, which the packaging takes off into a zip of its own.
build_windows x86 i686 $x86_tests -DPURVEX_DEBUG_INFO=ON -DPURVEX_UPDATE_KEY="$release_key" \
  ${PURVEX_UPDATE_SERIAL:+-DPURVEX_UPDATE_SERIAL="$PURVEX_UPDATE_SERIAL"}

# The release artefacts from dist/x86: its programs and libraries stripped, with their sizes before
# and after, their debugging information in dist/Purvex-<version>-symbols.zip, signed when a
# certificate is given; the setup program and the portable zip in dist/.
"$root/scripts/package.sh" dist/x86 dist --strip
