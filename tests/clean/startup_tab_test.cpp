// The startup program tab inside the PC cleaning page, driven through the
// page's own tab and buttons, against the Run keys and startup folders of the
// test prefix (emptied and planted in for each test).
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/clean/clean_pc_view.h"
#include "app/clean/clean_texts.h"
#include "app/clean/startup_dlg.h"
#include "app/shell_texts.h"
#include "base/unique_handle.h"
#include "tests/support/message_box_hook.h"
#include "tests/support/page_host.h"
#include "tests/support/pane_frame.h"
#include "tests/support/startup_sandbox.h"
#include "tests/support/window_driver.h"

namespace {

using pvtest::SeenMessageBox;
using startup::StartupRow;
using namespace startuptest;

class StartupTab : public ::testing::Test {
protected:
    StartupTab() : host_(RUNTIME_CLASS(CCleanPcView), pvtest::PaneFrame()) { ClickTab(3); }

    CCleanPcView* View() const { return static_cast<CCleanPcView*>(CWnd::FromHandlePermanent(host_.page())); }
    CStartupDlg* Tab() const { return static_cast<CStartupDlg*>(View()->Tabs().GetPage(3)); }
    pvtest::ListView List() const { return pvtest::ListView(GetDlgItem(Tab()->m_hWnd, IDC_STARTUP_LIST)); }
    void ClickTab(int index) { pvtest::ClickTab(host_.control(IDC_CLEAN_TABS), index); }
    void Scan() { host_.Click(IDC_CLEAN_START); }
    bool Plant(const std::string& name) { return box_.Folder(kAllUsersFolder).PlantFile(name); }
    std::string AllUsers(const std::string& name) { return box_.Folder(kAllUsersFolder) / name; }

    // The planted rows as the list shows them, top first, with their ticks.
    std::vector<StartupRow> Planted() const {
        std::vector<StartupRow> rows;
        for (int row = 0; row < List().Rows(); ++row) {
            rows.push_back(Row(List().Cell(row, 1), List().Cell(row, 2), List().Cell(row, 3)));
            rows.back().checked = List().Ticked(row);
        }
        return PlantedRows(rows);
    }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const StartupRow& row : Planted()) names.push_back(row.name);
        return names;
    }
    void Tick(std::initializer_list<const char*> names) {
        for (int row = 0; row < List().Rows(); ++row)
            for (const char* name : names)
                if (List().Cell(row, 1) == name) List().Tick(row, true);
    }
    // Presses the delete button and answers the caution question; the boxes seen.
    std::vector<SeenMessageBox> Delete(int answer = IDYES) {
        pvtest::MessageBoxHook hook({answer, IDOK});
        host_.Click(IDC_CLEAN_DELETE);
        return hook.seen();
    }
    static void ExpectEnd(const std::vector<SeenMessageBox>& seen, const char* text, LPCSTR icon) {
        ASSERT_EQ(seen.size(), 2u);
        EXPECT_EQ(seen[1].text, text);
        EXPECT_EQ(seen[1].caption, shell::kAppTitle);
        EXPECT_EQ(seen[1].icon, LoadIcon(nullptr, icon));
    }

    StartupSandbox box_;
    pvtest::PageHost host_;
};

TEST_F(StartupTab, ScanListsTheKeyReadLastFirstThenTheFoldersAndGivesTheHostBack) {
    pvtest::ListView list = List();
    RECT client = {};
    GetClientRect(list.hwnd(), &client);
    const std::string headings[] = {"", clean::kColumnValueName, clean::kColumnDataValue, clean::kColumnStartupPath};
    const int widths[] = {25, 90, static_cast<int>(client.right) - 255, 140};
    ASSERT_EQ(list.Columns(), 4);
    for (int column = 0; column < 4; ++column) {
        EXPECT_EQ(list.Heading(column), headings[column]);
        EXPECT_EQ(list.ColumnWidth(column), widths[column]);
    }
    EXPECT_EQ(list.HeaderImage(0), 0);
    EXPECT_EQ(list.HeaderImage(1), -1);
    EXPECT_TRUE(ListView_GetExtendedListViewStyle(list.hwnd()) & LVS_EX_CHECKBOXES);

    ASSERT_TRUE(PlantText(HKEY_CURRENT_USER, kRun, "pv run", "run.exe"));
    ASSERT_TRUE(PlantText(HKEY_CURRENT_USER, kRunOnce, "", "default.exe"));
    ASSERT_TRUE(PlantText(HKEY_LOCAL_MACHINE, kRunOnce, "pv machine", "%SystemRoot%\\m.exe", REG_EXPAND_SZ));
    ASSERT_TRUE(Plant("pv all.exe"));
    ASSERT_TRUE(box_.Folder(kUserFolder).PlantFile("pv sub\\pv inner.exe"));
    const std::vector<StartupRow> expected = {
        Row("pv machine", "%SystemRoot%\\m.exe", KeyRowPath(HKEY_LOCAL_MACHINE, kRunOnce)),
        Row("", "default.exe", KeyRowPath(HKEY_CURRENT_USER, kRunOnce)),
        Row("pv run", "run.exe", KeyRowPath(HKEY_CURRENT_USER, kRun)),
        Row("pv all.exe", "", box_.FolderRowPath(kAllUsersFolder)),
        Row("pv inner.exe", "", box_.FolderRowPath(kUserFolder) + "pv sub\\"),
        Row("pv sub", "", box_.FolderRowPath(kUserFolder)),
    };
    for (int pass = 0; pass < 2; ++pass) {  // "다시검사" lists afresh
        SCOPED_TRACE(pass);
        Scan();
        EXPECT_EQ(Planted(), expected);
        EXPECT_EQ(host_.Text(IDC_CLEAN_START), clean::kCaptionRescan);
        EXPECT_TRUE(host_.Visible(IDC_CLEAN_DELETE));
        EXPECT_FALSE(host_.Visible(IDC_CLEAN_STATUS));
        EXPECT_EQ(host_.Text(IDC_CLEAN_STATUS), "");
        EXPECT_FALSE(View()->Busy());
        EXPECT_EQ(list.ColumnWidth(3), 140);
    }
}

TEST_F(StartupTab, NineValuesOfOneKeyNarrowThePathColumnUntilTheTabIsLeft) {
    for (int values : {8, 9}) {
        SCOPED_TRACE(values);
        for (int i = 0; i < values; ++i) ASSERT_TRUE(PlantText(HKEY_CURRENT_USER, kRun, "pv" + std::to_string(i), "x"));
        Scan();
        EXPECT_EQ(List().ColumnWidth(3), values > 8 ? 124 : 140);
        ClickTab(0);
        EXPECT_EQ(List().Rows(), 0);
        EXPECT_EQ(List().ColumnWidth(3), 140);
        ClickTab(3);
        EXPECT_EQ(List().Rows(), 0);
        EXPECT_EQ(host_.Text(IDC_CLEAN_START), clean::kCaptionStart);
    }
}

TEST_F(StartupTab, NameSortFlipsItsArrowAndCarriesTicksThenEachKindIsDeleted) {
    List().ClickHeader(1);  // an empty list: the direction flips all the same
    EXPECT_EQ(List().HeaderImage(1), 3);
    ASSERT_TRUE(PlantText(HKEY_CURRENT_USER, kRun, "pv b", "b.exe"));
    ASSERT_TRUE(PlantText(HKEY_LOCAL_MACHINE, kRun, "pv d", "d.exe"));
    ASSERT_TRUE(Plant("pv c.exe") && Plant("pv a.exe"));
    Scan();
    Tick({"pv d"});
    List().ClickHeader(1);
    EXPECT_EQ(Names(), (std::vector<std::string>{"pv a.exe", "pv b", "pv c.exe", "pv d"}));
    EXPECT_EQ(List().HeaderImage(1), 2);
    StartupRow ticked = Row("pv d", "d.exe", KeyRowPath(HKEY_LOCAL_MACHINE, kRun));
    ticked.checked = true;
    EXPECT_EQ(Planted()[3], ticked);
    List().ClickHeader(1);
    EXPECT_EQ(Names(), (std::vector<std::string>{"pv d", "pv c.exe", "pv b", "pv a.exe"}));
    EXPECT_EQ(List().HeaderImage(1), 3);

    Tick({"pv c.exe", "pv b"});
    const std::vector<SeenMessageBox> seen = Delete();
    ASSERT_FALSE(seen.empty());
    EXPECT_EQ(seen[0].text, clean::kStartupDeleteQuestion);
    EXPECT_EQ(seen[0].caption, clean::kStartupCautionTitle);
    EXPECT_EQ(seen[0].icon, LoadIcon(nullptr, IDI_EXCLAMATION));
    EXPECT_TRUE(seen[0].hadButton);
    ExpectEnd(seen, clean::kMsgStartupDeleted, IDI_ASTERISK);
    EXPECT_EQ(Names(), std::vector<std::string>{"pv a.exe"});
    EXPECT_FALSE(pvtest::ReadValue(HKEY_CURRENT_USER, kRun, "pv b").present);
    EXPECT_FALSE(pvtest::ReadValue(HKEY_LOCAL_MACHINE, kRun, "pv d").present);
    EXPECT_FALSE(pvtest::FileExists(AllUsers("pv c.exe")));
    EXPECT_TRUE(pvtest::FileExists(AllUsers("pv a.exe")));
    EXPECT_FALSE(host_.Visible(IDC_CLEAN_DELETE));  // until the next scan
}

TEST_F(StartupTab, ColumnZeroTicksAllAndHandTicksMoveTheHeaderBox) {
    List().ClickHeader(0);  // an empty list: nothing
    EXPECT_EQ(Tab()->AllChecked(), false);
    ASSERT_TRUE(Plant("pv 1") && Plant("pv 2") && Plant("pv 3"));
    Scan();
    pvtest::ListView list = List();
    ASSERT_EQ(list.Rows(), 3);  // nothing but the planted rows: all of them are deleted below
    for (int allTicked : {1, 0}) {
        list.ClickHeader(0);
        for (int row = 0; row < 3; ++row) EXPECT_EQ(list.Ticked(row), allTicked == 1) << row;
        EXPECT_EQ(list.HeaderImage(0), allTicked);
        EXPECT_EQ(Tab()->AllChecked(), allTicked != 0);
    }
    list.ClickHeader(0);
    Scan();  // the rows come back unticked, and so does the header's box
    EXPECT_FALSE(list.Ticked(0));
    EXPECT_EQ(list.HeaderImage(0), 0);
    EXPECT_EQ(Tab()->AllChecked(), false);
    list.Select(2);  // its tick comes with the selection and focus bits
    for (int row = 0; row < 3; ++row) list.Tick(row, true);
    EXPECT_EQ(list.HeaderImage(0), 1);
    list.Tick(1, false);
    EXPECT_EQ(list.HeaderImage(0), 0);
    EXPECT_EQ(Tab()->AllChecked(), false);
    list.Tick(1, true);
    ExpectEnd(Delete(), clean::kMsgStartupDeleted, IDI_ASTERISK);
    EXPECT_EQ(list.Rows(), 0);
    EXPECT_EQ(list.HeaderImage(0), 0);
}

TEST_F(StartupTab, TickAllOfThousandsOfRowsShowsTheTickedBoxAndUntickAllTheEmptyOne) {
    Scan();
    pvtest::ListView list = List();
    list.AppendRows(3000);
    for (int allTicked : {1, 0}) {
        list.ClickHeader(0);
        EXPECT_EQ(list.TickedRows(), allTicked ? list.Rows() : 0);
        EXPECT_EQ(Tab()->Ticks().ticked(), list.TickedRows());
        EXPECT_EQ(list.HeaderImage(0), allTicked);
        EXPECT_EQ(Tab()->AllChecked(), allTicked != 0);
    }
}

TEST_F(StartupTab, DeleteReportsNothingTickedAlreadyGoneAndRefusedRows) {
    ASSERT_TRUE(Plant("pv gone.exe") && Plant("pv free.exe") && Plant("pv busy.exe") && Plant("pv other.exe"));
    Scan();
    ExpectEnd(Delete(), clean::kMsgStartupNothingChecked, IDI_HAND);
    Tick({"pv gone.exe", "pv free.exe"});
    EXPECT_EQ(Delete(IDNO).size(), 1u);
    EXPECT_TRUE(pvtest::FileExists(AllUsers("pv free.exe")));
    ASSERT_TRUE(DeleteFileA(AllUsers("pv gone.exe").c_str()));  // gone behind the tab's back
    ExpectEnd(Delete(), clean::kMsgStartupDeleted, IDI_ASTERISK);
    EXPECT_EQ(Names(), (std::vector<std::string>{"pv busy.exe", "pv other.exe"}));

    Scan();
    base::UniqueFile busy(CreateFileA(AllUsers("pv busy.exe").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0,
                                      nullptr));
    ASSERT_TRUE(busy);
    Tick({"pv busy.exe", "pv other.exe"});
    ExpectEnd(Delete(), clean::kMsgStartupSomeKept, IDI_HAND);
    StartupRow kept = Row("pv busy.exe", "", box_.FolderRowPath(kAllUsersFolder));
    kept.checked = true;
    EXPECT_EQ(Planted(), std::vector<StartupRow>{kept});
    EXPECT_FALSE(pvtest::FileExists(AllUsers("pv other.exe")));
    EXPECT_TRUE(host_.Visible(IDC_CLEAN_DELETE));  // for another try
    busy.reset();
    ExpectEnd(Delete(), clean::kMsgStartupDeleted, IDI_ASTERISK);
    EXPECT_TRUE(Names().empty());
}

}  // namespace
