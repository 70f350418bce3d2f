#!/bin/bash
# Installs everything the build, the tests and the demo need on a fresh Debian
# machine (as root): the cross compilers, 64-bit Wine and, where this machine
# runs 32-bit programs, the 32-bit Wine that runs the release; a virtual
# display, Korean fonts and the host's Korean locale.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/win32-check.sh"
packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev     # host build: database tool, codec tests, fuzzer
  g++-mingw-w64-x86-64 g++-mingw-w64-i686            # the Windows builds
  googletest                                          # test framework sources
  wine wine64                                         # the test platform: the 64-bit loader
  xvfb x11-utils imagemagick fonts-nanum fonts-baekmuk  # virtual display, screenshots, Korean fonts (Gulim's metrics)
  locales                                             # ko_KR.UTF-8, without which Wine cannot make Korean file names
  nsis zip osslsigncode openssl                       # the setup program, the portable zip, code signing, update keys and signatures
  python3                                             # the demo's update server, the command-line report's check
)
export DEBIAN_FRONTEND=noninteractive
missing() {  # the packages of "$@" that are not installed
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
  done
}
updated=0
update_once() {
  [ $updated = 0 ] || return 0
  updated=1
  # A mirror in the middle of a sync fails an index now and then: try again,
  # and let the install itself say whether anything needed is missing.
  for attempt in 1 2 3; do
    apt-get update -qq && return 0
    echo "setup: apt-get update failed (attempt $attempt of 3)" >&2
    sleep $((attempt * 5))
  done
}

mapfile -t needed < <(missing "${packages[@]}")
if [ ${#needed[@]} -gt 0 ]; then
  update_once
  apt-get install -y -qq --no-install-recommends "${needed[@]}"
fi

# The 32-bit Wine comes from the i386 architecture (multiarch). A machine
# whose kernel runs no 32-bit programs could not start it, so it goes
# without; where it cannot be installed, the tests and the demo say that
# they take the 64-bit way.
if elf32_runs && [ -n "$(missing wine32:i386)" ]; then
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
    updated=0
  fi
  update_once
  apt-get install -y -qq --no-install-recommends wine32:i386 ||
    echo "setup: the 32-bit Wine (wine32:i386) could not be installed; only the 64-bit way can run here" >&2
fi

# The host's Korean locale: Wine maps Windows file names to Unix ones through it.
if ! locale -a 2>/dev/null | grep -qix 'ko_KR.utf8'; then
  sed -i 's/^# *\(ko_KR.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -qx 'ko_KR.UTF-8 UTF-8' /etc/locale.gen || echo 'ko_KR.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen >/dev/null
fi
