// The visual-theme library "UxTheme.dll", loaded by name for each call and
// freed right after it, so the program runs where the library is missing.
#pragma once
#include <windows.h>

namespace ui {

// System version as major * 65536 + minor, read once.
DWORD SystemVersion();
// TRUE when the library loads and reports an active theme.
BOOL IsThemeActiveNow();
// Draws one part of the "TAB" theme class; nothing when the library, one of
// its functions or the theme data is missing.
void DrawTabThemePart(HWND window, HDC dc, int part, int state, const RECT& rect);

}  // namespace ui
