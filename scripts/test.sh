#!/bin/bash
# Sets up, builds and runs every test: the host codec tests, then the Windows
# tests under 64-bit Wine on a virtual display.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh"

XVFB_PID=
source "$root/scripts/xvfb.sh"
trap '[ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null; true' EXIT

ctest --test-dir "$root/build/host" --output-on-failure
ctest --test-dir "$root/build/x64" --output-on-failure -j2 --timeout 300
