#include "ui/theme_library.h"

#include "base/unique_handle.h"

namespace ui {
namespace {

using IsThemeActiveFn = BOOL(WINAPI*)();
using OpenThemeDataFn = HANDLE(WINAPI*)(HWND, LPCWSTR);
using CloseThemeDataFn = HRESULT(WINAPI*)(HANDLE);
using DrawThemeBackgroundFn = HRESULT(WINAPI*)(HANDLE, HDC, int, int, const RECT*, const RECT*);

template <typename Fn>
Fn Bind(HMODULE library, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

}  // namespace

DWORD SystemVersion() {
    static const DWORD version = [] {
        OSVERSIONINFOA info = {sizeof info};
        GetVersionExA(&info);
        return (info.dwMajorVersion << 16) | (info.dwMinorVersion & 0xFFFF);
    }();
    return version;
}

BOOL IsThemeActiveNow() {
    base::UniqueModule library(LoadLibraryA("UxTheme.dll"));
    if (!library) return FALSE;
    auto isThemeActive = Bind<IsThemeActiveFn>(library.get(), "IsThemeActive");
    return isThemeActive && isThemeActive();
}

void DrawTabThemePart(HWND window, HDC dc, int part, int state, const RECT& rect) {
    base::UniqueModule library(LoadLibraryA("UxTheme.dll"));
    if (!library) return;
    auto isThemeActive = Bind<IsThemeActiveFn>(library.get(), "IsThemeActive");
    auto openThemeData = Bind<OpenThemeDataFn>(library.get(), "OpenThemeData");
    auto closeThemeData = Bind<CloseThemeDataFn>(library.get(), "CloseThemeData");
    auto drawThemeBackground = Bind<DrawThemeBackgroundFn>(library.get(), "DrawThemeBackground");
    if (!isThemeActive || !openThemeData || !drawThemeBackground || !isThemeActive()) return;
    // The theme data, closed by the library's own function when there is one.
    struct ThemeData {
        HANDLE handle;
        CloseThemeDataFn close;
        ~ThemeData() {
            if (handle && close) close(handle);
        }
    } theme = {openThemeData(window, L"TAB"), closeThemeData};
    if (!theme.handle) return;
    drawThemeBackground(theme.handle, dc, part, state, &rect, nullptr);
}

}  // namespace ui
