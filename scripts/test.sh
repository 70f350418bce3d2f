#!/bin/bash
# Sets up, builds and runs every test on a virtual display:
#   - the import check of the release (dist/x86) and of the setup program;
#   - the host codec tests;
#   - the 32-bit release (build/x86) in a 32-bit prefix: every test, and the
#     engine tests once more in a 64-bit prefix, as 64-bit Windows runs it;
#     the setup program's install, upgrade and uninstall in a fresh prefix of
#     their own, and the signing of the release;
#   - the x86_64 build (build/x64) in a 64-bit prefix: the tests of the code
#     without windows of its own (engine, framework, updater core, handles),
#     so the code stays right for both pointer sizes.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh"

# The release must start on every Windows it names: no import that Windows XP
# or the 9x family lacks (Wine exports everything, so no test run notices).
"$root/scripts/platform/check-imports.sh" "$root/dist/x86"
# The setup program too (its uninstaller is the same stub): it must run on those systems.
"$root/scripts/platform/check-imports.sh" "$root/dist"

XVFB_PID=
source "$root/scripts/xvfb.sh"
trap '[ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null; true' EXIT

ctest --test-dir "$root/build/host" --output-on-failure
ctest --test-dir "$root/build/x86" --output-on-failure -j2 --timeout 300
ctest --test-dir "$root/build/x64" --output-on-failure -j2 --timeout 300 -L both
