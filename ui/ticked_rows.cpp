#include "ui/ticked_rows.h"

namespace ui {

namespace {

bool IsTickedState(UINT state) { return (state & LVIS_STATEIMAGEMASK) == INDEXTOSTATEIMAGEMASK(2); }

// A row that is still in the list (inserted, or about to be deleted).
bool IsTickedRow(HWND list, int row) {
    return IsTickedState(static_cast<UINT>(SendMessageA(list, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK)));
}

}  // namespace

LRESULT TickedRows::OnNotify(const NMHDR* notification) {
    const NMLISTVIEW* change = reinterpret_cast<const NMLISTVIEW*>(notification);
    switch (notification->code) {
    case LVN_INSERTITEM:
        ++rows_;
        if (IsTickedRow(notification->hwndFrom, change->iItem)) ++ticked_;
        return 0;
    case LVN_DELETEITEM:
        --rows_;
        if (IsTickedRow(notification->hwndFrom, change->iItem)) --ticked_;
        return 0;
    case LVN_DELETEALLITEMS:
        rows_ = ticked_ = 0;
        return TRUE;
    case LVN_ITEMCHANGED:
        // The states also carry the selection and focus bits: only the tick counts.
        if (change->uChanged & LVIF_STATE) {
            if (IsTickedState(change->uNewState)) ++ticked_;
            if (IsTickedState(change->uOldState)) --ticked_;
        }
        return 0;
    default:
        return 0;
    }
}

HeaderBox TickedRows::HeaderBoxAfter(const NMHDR* notification, bool allShown) const {
    const NMLISTVIEW* change = reinterpret_cast<const NMLISTVIEW*>(notification);
    if (notification->code != LVN_ITEMCHANGED || !(change->uChanged & LVIF_STATE)) return HeaderBox::kKeep;
    const UINT image = change->uNewState & LVIS_STATEIMAGEMASK;
    if (image == (change->uOldState & LVIS_STATEIMAGEMASK)) return HeaderBox::kKeep;
    if (image == INDEXTOSTATEIMAGEMASK(2)) return AllTicked() ? HeaderBox::kShowTicked : HeaderBox::kKeep;
    if (image == INDEXTOSTATEIMAGEMASK(1) && allShown) return HeaderBox::kShowUnticked;
    return HeaderBox::kKeep;
}

}  // namespace ui
