#!/bin/bash
# wine-prefix.sh up|down PREFIX [ARCH]     ARCH: win32 (default) or win64
# up: create the prefix once (Korean locale, Korean fonts mapped, the project's
#     registry settings), start a persistent wineserver so later processes do
#     not pay its start.
# down: end that server.
set -eu
action=$1
here=$(cd "$(dirname "$0")" && pwd)
source "$here/wine-env.sh"
wine_env "$2" "${3:-win32}"

if [ "$action" = down ]; then
  wineserver -k 2>/dev/null || true
  exit 0
fi

# The prefix is made once; the registry settings are imported again whenever
# scripts/wine-prefix.reg changes (the marker holds the checksum of the last import).
want=$(md5sum < "$here/wine-prefix.reg" | cut -d' ' -f1)
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  "$WINE" wineboot -i >/dev/null 2>&1 || true
  wineserver -w
fi
if [ "$(cat "$WINEPREFIX/.purvex-ready" 2>/dev/null)" != "$want" ]; then
  # The registry file is UTF-8 in the repository; regedit wants UTF-16 with a BOM.
  reg="$WINEPREFIX/purvex-prefix.reg"
  { printf '\377\376'; iconv -f UTF-8 -t UTF-16LE "$here/wine-prefix.reg"; } > "$reg"
  "$WINE" regedit /S "$("$WINE" winepath -w "$reg" 2>/dev/null)" </dev/null >/dev/null 2>&1 || true
  # regedit answers 0 whatever happened: the prefix is marked ready only when
  # the file's last setting arrived, so that a failed import is tried again.
  if "$WINE" reg query 'HKCU\Software\Wine\X11 Driver' /v Managed </dev/null >/dev/null 2>&1; then
    echo "$want" > "$WINEPREFIX/.purvex-ready"
  fi
fi
# Fails harmlessly when a server already runs for this prefix.
wineserver -p </dev/null >/dev/null 2>&1 || true
# Start Wine's own background processes now, detached from any test's output,
# so that no test's output pipe is held open by them after the test ends.
"$WINE" cmd /c exit </dev/null >/dev/null 2>&1 || true
