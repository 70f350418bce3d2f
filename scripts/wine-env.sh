# Sourced: the environment of one of the project's Wine prefixes.
#   wine_env PREFIX ARCH    ARCH: win32 (the release's platform) or win64
# Exports WINEPREFIX, WINEARCH, a private HOME and XDG data folder beside the
# prefix (Wine links the profile's Desktop and Documents to $HOME and keeps the
# recycle bin in its XDG trash, so a prefix must never see the real home), the
# Korean locale and quiet debug channels, and sets WINE to the loader: the
# 32-bit one for a 32-bit prefix, and for a 64-bit prefix the 64-bit one
# (which hands 32-bit programs on to the 32-bit loader, as WOW64 does).
wine_env() {
  export WINEPREFIX=$1 WINEARCH=$2
  export HOME="$1.home"
  export XDG_DATA_HOME="$HOME/.local/share" XDG_CONFIG_HOME="$HOME/.config" XDG_CACHE_HOME="$HOME/.cache"
  export LC_ALL=ko_KR.UTF-8
  export WINEDEBUG="${WINEDEBUG:--all}"
  export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
  mkdir -p "$HOME"
  case $2 in
    win32) WINE=/usr/lib/wine/wine ;;
    *) WINE=/usr/lib/wine/wine64 ;;
  esac
}
