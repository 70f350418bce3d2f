// Owners for the user-interface handles the controls and pages hold: icons,
// menus and GDI objects (base/unique_handle.h gives the kernel's).
#pragma once
#include <windows.h>

#include "base/unique_handle.h"

namespace ui {

struct IconTraits {
    using Handle = HICON;
    static Handle empty() { return nullptr; }
    static void close(Handle h) { ::DestroyIcon(h); }
};
struct MenuTraits {
    using Handle = HMENU;
    static Handle empty() { return nullptr; }
    static void close(Handle h) { ::DestroyMenu(h); }
};
struct GdiObjectTraits {  // bitmaps, brushes, pens, fonts, regions
    using Handle = HGDIOBJ;
    static Handle empty() { return nullptr; }
    static void close(Handle h) { ::DeleteObject(h); }
};

using UniqueIcon = base::UniqueHandle<IconTraits>;
using UniqueMenu = base::UniqueHandle<MenuTraits>;
using UniqueGdiObject = base::UniqueHandle<GdiObjectTraits>;

}  // namespace ui
