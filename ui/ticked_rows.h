// The number of ticked rows of a list view with tick boxes, kept from the
// list's own notifications, so that "every row is ticked" is one comparison
// whatever the number of rows. The page that owns the list hands it every
// LVN_INSERTITEM, LVN_DELETEITEM, LVN_DELETEALLITEMS and LVN_ITEMCHANGED of
// that list, also while the page itself ignores them, and answers each with
// what OnNotify returns. Rows are changed one at a time (never through the
// item index -1).
#pragma once
#include <windows.h>

#include <commctrl.h>

namespace ui {

// What the header's "every row ticked" box does after a row's tick changed.
enum class HeaderBox { kKeep, kShowTicked, kShowUnticked };

class TickedRows {
public:
    // Counts one notification of the list; returns the answer to give it:
    // TRUE for LVN_DELETEALLITEMS (the list then sends no LVN_DELETEITEM for
    // each row), 0 otherwise. Other notifications are ignored.
    LRESULT OnNotify(const NMHDR* notification);

    int rows() const { return rows_; }
    int ticked() const { return ticked_; }
    // Every row is ticked (also when there is no row).
    bool AllTicked() const { return ticked_ == rows_; }
    // For an LVN_ITEMCHANGED already counted, with the header's box showing
    // allShown: kShowTicked when it ticked a row and now every row is ticked,
    // kShowUnticked when it unticked a row while the box showed every row
    // ticked, else kKeep (also for a change of selection or focus alone).
    HeaderBox HeaderBoxAfter(const NMHDR* notification, bool allShown) const;

private:
    int rows_ = 0;
    int ticked_ = 0;
};

}  // namespace ui
