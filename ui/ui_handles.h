// Owners for the user-interface handles the controls and pages hold: icons,
// menus and GDI objects (base/unique_handle.h gives the kernel's).
#pragma once
#include <windows.h>

#include "base/unique_handle.h"

namespace ui {

using UniqueIcon = base::UniqueHandle<base::NullHandleTraits<HICON, ::DestroyIcon>>;
using UniqueMenu = base::UniqueHandle<base::NullHandleTraits<HMENU, ::DestroyMenu>>;
// Bitmaps, brushes, pens, fonts, regions.
using UniqueGdiObject = base::UniqueHandle<base::NullHandleTraits<HGDIOBJ, ::DeleteObject>>;

}  // namespace ui
