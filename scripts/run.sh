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
# On a machine that runs no 32-bit programs (or with PURVEX_NO_WIN32=1) the
# 64-bit build (dist/x64) takes the release's place, in a 64-bit prefix of its
# own (build/demo-prefix64); the script says so.
#
# --update-server publishes the installed build as an update signed with the test key
# (both databases with a version of the present minute, a serial of the
# present second) into build/update-server, serves it on the loopback with
# python3 -m http.server and points the program's updater at it
# (PURVEX_UPDATE_HOST): the banner's update button then makes a real,
# verified update. The server stops when the script ends.
#
#   bash scripts/run.sh [--no-build] [--plant-traces] [--update-server]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=1 traces=0 update_server=0
for arg in "$@"; do
  case $arg in
    --no-build) build=0 ;;
    --plant-traces) traces=1 ;;
    --update-server) update_server=1 ;;
    *) echo "usage: $0 [--no-build] [--plant-traces] [--update-server]" >&2; exit 2 ;;
  esac
done

"$root/scripts/setup.sh"
if [ $build = 1 ]; then "$root/scripts/build.sh"; fi
source "$root/scripts/win32-check.sh"
if win32_wine_runs; then
  dist=$root/dist/x86 prefix=$root/build/demo-prefix arch=win32
else
  dist=$root/dist/x64 prefix=$root/build/demo-prefix64 arch=win64
  echo "run: this machine runs no 32-bit programs${PURVEX_NO_WIN32:+ (PURVEX_NO_WIN32=$PURVEX_NO_WIN32)}: starting the 64-bit build (dist/x64) in a 64-bit prefix instead of the 32-bit release."
fi
[ -f "$dist/Purvex.exe" ] || { echo "$0: $dist/Purvex.exe is missing; build first" >&2; exit 1; }

source "$root/scripts/wine-env.sh"
wine_env "$prefix" $arch
wine=$WINE

# The prefix: Korean locale and fonts mapped, as for the tests.
"$root/scripts/wine-prefix.sh" up "$prefix" $arch
install="$prefix/drive_c/Program Files/Purvex"
rm -rf "$install"
mkdir -p "$install"
cp -r "$dist/." "$install/"
if [ $traces = 1 ]; then "$root/scripts/plant-demo-traces.sh" "$prefix" $arch; fi

server_pid=
if [ $update_server = 1 ]; then
  served=$root/build/update-server
  rm -rf "$served"
  stamp=$(date -u +%Y.%m.%d.%H%M)
  "$root/scripts/publish-update.sh" --key "$root/updater/keys/test-update-private.pem" --serial "$(date -u +%s)" \
    --version "PURVEXADB=$stamp" --version "KORDONADB=$stamp" "$dist" "$served/pg_update/Purvex_Up"
  port=$(python3 -c 'import socket; s = socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
  python3 -m http.server --bind 127.0.0.1 --directory "$served" "$port" >"$root/build/update-server.log" 2>&1 &
  server_pid=$!
  trap 'kill $server_pid 2>/dev/null; true' EXIT
  export PURVEX_UPDATE_HOST=127.0.0.1:$port
  echo "Update server: http://$PURVEX_UPDATE_HOST/pg_update/Purvex_Up/ (log: build/update-server.log)"
fi

cd "$install"  # the program's current folder: its logs and database live here
if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  echo "Starting Purvex.exe on $DISPLAY (prefix $prefix)"
  "$wine" Purvex.exe || true  # ended by the updater, it exits with the still-active code
  if [ $update_server = 1 ]; then
    # The updater ends the program and starts it again; the server stays for it.
    read -r -p "Serving the update; press Enter to stop the server. " _ || true
  fi
  exit 0
fi

XVFB_PID=
source "$root/scripts/xvfb.sh"
wine_pid=
cleanup() {
  [ -n "$wine_pid" ] && kill "$wine_pid" 2>/dev/null
  wineserver -k 2>/dev/null || true  # this prefix's processes only
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
  [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null
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
