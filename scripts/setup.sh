#!/bin/bash
# Installs everything the build, the tests and the demo need on a fresh Debian
# machine (as root): the cross compilers, 64-bit Wine and the 32-bit Wine that
# runs the release, a virtual display, Korean fonts and the host's Korean locale.
set -euo pipefail
packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev     # host build: database tool, codec tests, fuzzer
  g++-mingw-w64-x86-64 g++-mingw-w64-i686            # the Windows builds
  googletest                                          # test framework sources
  wine wine64 wine32:i386                             # the test platform: 64-bit and 32-bit loaders
  xvfb x11-utils imagemagick fonts-nanum fonts-baekmuk  # virtual display, screenshots, Korean fonts (Gulim's metrics)
  locales                                             # ko_KR.UTF-8, without which Wine cannot make Korean file names
  nsis zip osslsigncode openssl                       # the setup program, the portable zip, code signing, update keys and signatures
  python3                                             # the demo's update server
)
export DEBIAN_FRONTEND=noninteractive
# The 32-bit Wine comes from the i386 architecture (multiarch).
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The host's Korean locale: Wine maps Windows file names to Unix ones through it.
if ! locale -a 2>/dev/null | grep -qix 'ko_KR.utf8'; then
  sed -i 's/^# *\(ko_KR.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -qx 'ko_KR.UTF-8 UTF-8' /etc/locale.gen || echo 'ko_KR.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen >/dev/null
fi
