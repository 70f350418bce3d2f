// ui::TickedRows fed by the notifications of a real list view: its count
// stays the list's own through every kind of change.
#include "ui/ticked_rows.h"

#include <gtest/gtest.h>

#include <functional>

#include "framework/afxcmn.h"
#include "tests/support/test_window.h"

namespace {

// A parent that hands every notification of its list to the count.
class CountingParent : public pvtest::TestParent {
public:
    ui::TickedRows ticks;

protected:
    BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult) override {
        *pResult = ticks.OnNotify(reinterpret_cast<const NMHDR*>(lParam));
        return TRUE;
    }
};

}  // namespace

TEST(TickedRows, CountFollowsInsertionsTicksAndDeletions) {
    CountingParent parent;
    CListCtrl list;
    ASSERT_TRUE(list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT, CRect(10, 10, 350, 200), &parent, 1));
    list.InsertColumn(0, "", LVCFMT_LEFT, 100);
    list.SetExtendedStyle(LVS_EX_CHECKBOXES);
    const UINT kSelected = LVIS_SELECTED | LVIS_FOCUSED;
    const struct {
        const char* what;
        std::function<void()> change;
    } steps[] = {
        {"rows inserted", [&] { for (int row = 0; row < 6; ++row) list.InsertItem(row, "row"); }},
        {"a selected, focused row ticked",
         [&] { ListView_SetItemState(list.m_hWnd, 3, kSelected, kSelected); list.SetCheck(3); }},
        {"the selection moved", [&] { ListView_SetItemState(list.m_hWnd, 4, kSelected, kSelected); }},
        {"a ticked row ticked again, an unticked one unticked", [&] { list.SetCheck(3); list.SetCheck(0, FALSE); }},
        {"a ticked and an unticked row deleted", [&] { list.DeleteItem(3); list.DeleteItem(0); }},
        {"every row ticked", [&] { for (int row = 0; row < 4; ++row) list.SetCheck(row); }},
        {"a row unticked", [&] { list.SetCheck(2, FALSE); }},
        {"every row deleted", [&] { list.DeleteAllItems(); }},
        {"rows after that", [&] { list.InsertItem(0, "row"); list.InsertItem(1, "row"); list.SetCheck(1); }},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.what);
        step.change();
        int ticked = 0;
        for (int row = 0; row < list.GetItemCount(); ++row) ticked += list.GetCheck(row) ? 1 : 0;
        EXPECT_EQ(parent.ticks.rows(), list.GetItemCount());
        EXPECT_EQ(parent.ticks.ticked(), ticked);
        EXPECT_EQ(parent.ticks.AllTicked(), ticked == list.GetItemCount());
    }
}
