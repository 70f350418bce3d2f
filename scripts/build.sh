#!/bin/bash
# Builds the host tools, then the x86_64 and i686 Windows builds, and lays each
# Windows build out as an installation folder: dist/x64 and dist/x86.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

cmake -S . -B build/host -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/host

build_windows() {  # folder, toolchain arch, tests on/off
  cmake -S . -B "build/$1" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-mingw-$2.cmake" \
    -DPURVEX_ADBTOOL="$root/build/host/adb/adbtool" -DPURVEX_KADBTOOL="$root/build/host/kordon/kadbtool" \
    -DPURVEX_TESTS="$3" >/dev/null
  cmake --build "build/$1"
  rm -rf "dist/$1"
  cmake --install "build/$1" --prefix "dist/$1" >/dev/null
}
build_windows x64 x86_64 ON
build_windows x86 i686 ON    # the 32-bit release, tested in a 32-bit prefix

# The release artefacts from dist/x86: its programs and libraries stripped, with their sizes
# before and after (the unstripped files stay in build/x86/unstripped for debugging) and signed when a certificate is given, the setup
# program and the portable zip in dist/.
"$root/scripts/package.sh" dist/x86 dist build/x86/unstripped
