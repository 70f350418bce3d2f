#!/bin/bash
# Sets up, builds and starts the 32-bit release (dist/x86) under 32-bit Wine on
# a demo machine: a 32-bit Wine prefix of the project's own (build/demo-prefix,
# with a private HOME beside it) with the program installed in
# "C:\Program Files\Purvex". The installation folder is the
# program's current folder. --plant-traces also plants a few harmless adware
# traces that match records of the shipped database, so that a first scan finds
# and cures something; nothing is planted without it.
#
# With a display (DISPLAY names a running X server) the program opens there and
# the script returns when it is closed. Without one the program runs on a
# virtual display inside a Wine desktop window, a screenshot of it is saved to
# build/screenshot.png, and the program is ended.
#
#   bash scripts/run.sh [--no-build] [--plant-traces]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=1 traces=0
for arg in "$@"; do
  case $arg in
    --no-build) build=0 ;;
    --plant-traces) traces=1 ;;
    *) echo "usage: $0 [--no-build] [--plant-traces]" >&2; exit 2 ;;
  esac
done

"$root/scripts/setup.sh"
if [ $build = 1 ]; then "$root/scripts/build.sh"; fi
[ -f "$root/dist/x86/Purvex.exe" ] || { echo "$0: dist/x86/Purvex.exe is missing; build first" >&2; exit 1; }

prefix=$root/build/demo-prefix
source "$root/scripts/wine-env.sh"
wine_env "$prefix" win32
wine=$WINE

# The prefix: Korean locale and fonts mapped, as for the tests.
"$root/scripts/wine-prefix.sh" up "$prefix" win32
install="$prefix/drive_c/Program Files/Purvex"
rm -rf "$install"
mkdir -p "$install"
cp -r "$root/dist/x86/." "$install/"
if [ $traces = 1 ]; then "$root/scripts/plant-demo-traces.sh" "$prefix"; fi

cd "$install"  # the program's current folder: its logs and database live here
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  echo "Starting Purvex.exe on $DISPLAY (prefix $prefix)"
  "$wine" Purvex.exe
  exit 0
fi

XVFB_PID=
source "$root/scripts/xvfb.sh"
wine_pid=
cleanup() {
  [ -n "$wine_pid" ] && kill "$wine_pid" 2>/dev/null
  wineserver -k 2>/dev/null || true  # this prefix's processes only
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
  true
}
trap cleanup EXIT
echo "No display: running on the virtual display $DISPLAY"
# A Wine desktop window draws the frame's caption bar, which a bare X server does not.
"$wine" explorer /desktop=Purvex,800x600 Purvex.exe >/dev/null 2>&1 &
wine_pid=$!
# The start-up picture shows for one second; give the main window time to paint.
sleep 8
shot="$root/build/screenshot.png"
import -window root -crop 800x600+0+0 +repage "$shot"
echo "Screenshot of the main window: $shot"
