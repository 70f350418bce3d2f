#include "ui/icon_menu.h"

#include <algorithm>

namespace {
constexpr int kImageSize = 16;
constexpr int kGap = 4;  // around the image and before the text
}  // namespace

BOOL CIconMenu::AppendItem(UINT id, LPCSTR text, UINT icon) {
    if (!m_menu) m_menu.reset(CreatePopupMenu());
    if (!m_menu) return FALSE;
    m_items.push_back(std::make_unique<Item>());
    Item* item = m_items.back().get();
    item->text = text;
    if (icon) {
        item->icon.reset(static_cast<HICON>(LoadImageA(AfxFindResourceHandle(MAKEINTRESOURCE(icon), RT_GROUP_ICON),
                                                       MAKEINTRESOURCEA(icon), IMAGE_ICON, kImageSize, kImageSize, 0)));
    }
    return AppendMenuA(m_menu.get(), MF_OWNERDRAW, id, reinterpret_cast<LPCSTR>(item));
}

UINT CIconMenu::Track(CWnd* owner, CPoint screenPoint) {
    if (!m_menu) return 0;
    return TrackPopupMenu(m_menu.get(), TPM_LEFTALIGN | TPM_RETURNCMD | TPM_NONOTIFY, screenPoint.x, screenPoint.y, 0,
                          owner->m_hWnd, nullptr);
}

void CIconMenu::MeasureItem(LPMEASUREITEMSTRUCT measure) {
    const Item* item = reinterpret_cast<const Item*>(measure->itemData);
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, GetStockObject(DEFAULT_GUI_FONT));
    SIZE extent = {};
    GetTextExtentPoint32A(screen, item->text, item->text.GetLength(), &extent);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    measure->itemWidth = kGap + kImageSize + kGap + extent.cx + kGap;
    measure->itemHeight = std::max<LONG>(kImageSize + 2 * 2, extent.cy + 4);
}

void CIconMenu::DrawItem(LPDRAWITEMSTRUCT draw) {
    const Item* item = reinterpret_cast<const Item*>(draw->itemData);
    HDC dc = draw->hDC;
    RECT rect = draw->rcItem;
    const bool selected = (draw->itemState & ODS_SELECTED) != 0;
    const bool disabled = (draw->itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
    FillRect(dc, &rect, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
    if (item->icon) {
        DrawIconEx(dc, rect.left + kGap, rect.top + (rect.bottom - rect.top - kImageSize) / 2, item->icon.get(),
                   kImageSize, kImageSize, 0, nullptr, DI_NORMAL);
    }
    RECT textRect = rect;
    textRect.left += kGap + kImageSize + kGap;
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(disabled ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
    HGDIOBJ old = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    DrawTextA(dc, item->text, -1, &textRect, DT_LEFT | DT_VCENTER | DT_SINGLELINE);
    SelectObject(dc, old);
}
