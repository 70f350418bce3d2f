// Owner-drawn popup menu with a small image beside each item: the drop-down
// menu an icon button can carry.
#pragma once
#include <memory>
#include <vector>

#include "framework/afxwin.h"
#include "ui/ui_handles.h"

class CIconMenu {
public:
    CIconMenu() = default;
    CIconMenu(const CIconMenu&) = delete;
    CIconMenu& operator=(const CIconMenu&) = delete;

    // Adds an item with command id and text; icon is a resource id (0: none).
    // The menu is created on the first call.
    BOOL AppendItem(UINT id, LPCSTR text, UINT icon = 0);
    BOOL IsEmpty() const { return m_items.empty(); }
    // Shows the menu at the screen point and returns the chosen command (0 for none).
    UINT Track(CWnd* owner, CPoint screenPoint);

    // Owner-draw parts, called by the owner for WM_MEASUREITEM and WM_DRAWITEM.
    static void MeasureItem(LPMEASUREITEMSTRUCT measure);
    static void DrawItem(LPDRAWITEMSTRUCT draw);

private:
    struct Item {
        CString text;
        ui::UniqueIcon icon;
    };
    ui::UniqueMenu m_menu;
    std::vector<std::unique_ptr<Item>> m_items;  // item data points here
};
