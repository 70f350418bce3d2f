// ui::TickedRows fed by the notifications of a real list view: its count
// stays the list's own through every kind of change.
#include "ui/ticked_rows.h"

#include <gtest/gtest.h>

#include <functional>

#include "framework/afxcmn.h"
#include "tests/ui/test_window.h"

namespace {

// A parent that hands every notification of its list to the count.
class CountingParent : public ui_test::TestParent {
public:
    ui::TickedRows ticks;

protected:
    BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult) override {
        *pResult = ticks.OnNotify(reinterpret_cast<const NMHDR*>(lParam));
        return TRUE;
    }
};

int TickedInList(const CListCtrl& list) {
    int ticked = 0;
    for (int row = 0; row < list.GetItemCount(); ++row) ticked += list.GetCheck(row) ? 1 : 0;
    return ticked;
}

}  // namespace

TEST(TickedRows, CountFollowsInsertionsTicksAndDeletions) {
    CountingParent parent;
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(10, 10, 350, 200), &parent, 1));
    list.InsertColumn(0, "", LVCFMT_LEFT, 100);
    list.SetExtendedStyle(LVS_EX_CHECKBOXES);
    const struct {
        const char* what;
        std::function<void()> change;
    } steps[] = {
        {"rows inserted", [&] { for (int row = 0; row < 6; ++row) list.InsertItem(row, "row"); }},
        {"a row ticked", [&] { list.SetCheck(1, TRUE); }},
        {"a selected, focused row ticked",
         [&] {
             list.SetItemState(3, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
             list.SetCheck(3, TRUE);
         }},
        {"the selection moved", [&] { list.SetItemState(4, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED); }},
        {"an unticked row unticked", [&] { list.SetCheck(0, FALSE); }},
        {"a ticked row deleted", [&] { list.DeleteItem(1); }},
        {"an unticked row deleted", [&] { list.DeleteItem(0); }},
        {"every row ticked", [&] { for (int row = 0; row < list.GetItemCount(); ++row) list.SetCheck(row, TRUE); }},
        {"a row unticked", [&] { list.SetCheck(2, FALSE); }},
        {"every row deleted", [&] { list.DeleteAllItems(); }},
        {"rows after that", [&] {
             list.InsertItem(0, "row");
             list.InsertItem(1, "row");
             list.SetCheck(1, TRUE);
         }},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.what);
        step.change();
        EXPECT_EQ(parent.ticks.rows(), list.GetItemCount());
        EXPECT_EQ(parent.ticks.ticked(), TickedInList(list));
        EXPECT_EQ(parent.ticks.AllTicked(), TickedInList(list) == list.GetItemCount());
    }
}
