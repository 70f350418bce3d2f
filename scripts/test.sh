#!/bin/bash
# Sets up, builds and runs every test on a virtual display.
#
# Where this machine runs 32-bit programs (the 32-bit Wine starts):
#   - the import check of the release (dist/x86) and of the setup program;
#   - the host codec tests;
#   - the 32-bit release (build/x86) in a 32-bit prefix: every test, and the
#     engine tests once more in a 64-bit prefix, as 64-bit Windows runs it;
#     the setup program's install, upgrade and uninstall in a fresh prefix of
#     their own, and the signing of the release;
#   - the x86_64 build (build/x64) in a 64-bit prefix: the tests of the code
#     without windows of its own (engine, framework, updater core, handles),
#     so the code stays right for both pointer sizes.
# Where it runs none (or PURVEX_NO_WIN32=1): the same import checks and host
# tests, and every test of the x86_64 build in a 64-bit prefix, in the same
# version modes, the setup program's life with a 64-bit copy of it made from
# the x86_64 build; the 32-bit release is still built, stripped and packaged.
# What needs 32-bit code is skipped, and named.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/win32-check.sh"
"$root/scripts/setup.sh"
"$root/scripts/build.sh"

if win32_wine_runs; then
  echo "test: this machine runs 32-bit programs: the 32-bit release carries every test, in a 32-bit prefix."
  release_build=x86
else
  echo "test: this machine runs no 32-bit programs${PURVEX_NO_WIN32:+ (PURVEX_NO_WIN32=$PURVEX_NO_WIN32)}: the x86_64 build carries every test, in a 64-bit prefix; the 32-bit release is built, packaged and import-checked."
  echo "test: skipped: the 32-bit release in a 64-bit prefix (WOW64), which needs the 32-bit Wine."
  echo "test: the setup program's install, upgrade and uninstall (Installer.Lifecycle) with a 64-bit copy of it made from dist/x64; the release's own is a 32-bit program."
  release_build=
fi

# The release must start on every Windows it names: no import that Windows XP
# or the 9x family lacks (Wine exports everything, so no test run notices).
"$root/scripts/platform/check-imports.sh" "$root/dist/x86"
# The setup program too (its uninstaller is the same stub): it must run on those systems.
"$root/scripts/platform/check-imports.sh" "$root/dist"

XVFB_PID=
source "$root/scripts/xvfb.sh"
trap '[ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null; true' EXIT

ctest --test-dir "$root/build/host" --output-on-failure
if [ -n "$release_build" ]; then
  ctest --test-dir "$root/build/x86" --output-on-failure -j2 --timeout 300
  ctest --test-dir "$root/build/x64" --output-on-failure -j2 --timeout 300 -L both
else
  ctest --test-dir "$root/build/x64" --output-on-failure -j2 --timeout 300
fi
