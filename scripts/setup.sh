#!/bin/bash
# Installs everything the build, the tests and the demo need on a fresh Debian machine (as root).
set -euo pipefail
packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev     # host build: database tool, codec tests, fuzzer
  g++-mingw-w64-x86-64 g++-mingw-w64-i686            # the Windows builds
  googletest                                          # test framework sources
  wine wine64                                         # the test platform
  xvfb x11-utils imagemagick fonts-nanum             # windows on a virtual display, screenshots, Korean fonts
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
