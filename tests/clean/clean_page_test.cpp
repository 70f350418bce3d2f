// The PC cleaning page on a virtual display, hosted in the shell's page pane,
// driven by window messages, against real files and the real recycle
// bin of the test prefix. The scans' temporary path is a sandbox of each test.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/clean/clean_pc_view.h"
#include "app/clean/clean_texts.h"
#include "app/clean/disk_clean_dlg.h"
#include "app/clean/disk_targets.h"
#include "app/resource.h"
#include "app/shell_texts.h"
#include "base/unique_handle.h"
#include "nkshellapi/ShellExt.h"
#include "tests/support/message_box_hook.h"
#include "tests/support/page_host.h"
#include "tests/support/pane_frame.h"
#include "tests/support/sandbox.h"
#include "tests/support/window_driver.h"

// The application object: its main window is the page host's frame.
CWinApp testApp(shell::kAppTitle);

namespace {

using pvtest::MessageBoxHook;
using pvtest::PumpUntil;
using Rows = std::multiset<std::string>;

class CleanPage : public ::testing::Test {
protected:
    CleanPage() : host_(RUNTIME_CLASS(CCleanPcView), pvtest::PaneFrame()) {}

    CCleanPcView* View() const { return static_cast<CCleanPcView*>(CWnd::FromHandlePermanent(host_.page())); }
    CDiskCleanDlg* Disk() const { return static_cast<CDiskCleanDlg*>(View()->Tabs().GetPage(0)); }
    HWND DiskItem(int id) const { return GetDlgItem(Disk()->m_hWnd, id); }
    pvtest::ListView List() const { return pvtest::ListView(DiskItem(IDC_DISK_LIST)); }
    std::string StartText() const { return host_.Text(IDC_CLEAN_START); }
    void Press(int id) { host_.Click(id); }
    void Tick(int diskControl) { pvtest::Click(DiskItem(diskControl)); }

    // A click on tab item index of the page's tab control.
    void ClickTab(int index) { pvtest::ClickTab(host_.control(IDC_CLEAN_TABS), index); }

    // Presses the start button and pumps until the scan has ended.
    void RunScan() {
        Press(IDC_CLEAN_START);
        PumpUntil([this] { return StartText() == clean::kCaptionInitialScreen; });
    }
    Rows PathColumn() const {
        Rows rows;
        for (int row = 0; row < List().Rows(); ++row) rows.insert(List().Cell(row, 1));
        return rows;
    }
    int RowOf(const std::string& path) const {
        for (int row = 0; row < List().Rows(); ++row)
            if (List().Cell(row, 1) == path) return row;
        return -1;
    }

    // Waits for the deletion waiter's box, checks the page while it shows,
    // answers it and waits until the page is free again.
    pvtest::SeenMessageBox AnswerReport() {
        pvtest::SeenMessageBox seen;
        HWND box = nullptr;
        PumpUntil([&] { return (box = pvtest::FindOtherThreadBox(&seen)) != nullptr; });
        EXPECT_TRUE(View()->Busy());  // a deletion is a cleaning action
        EXPECT_EQ(View()->TabClickLock(), 1);
        pvtest::AnswerBox(box, IDOK);
        PumpUntil([this] { return !View()->DeletionPending(); });
        EXPECT_FALSE(View()->Busy());
        EXPECT_EQ(View()->TabClickLock(), 0);
        return seen;
    }

    void Plant(const std::string& path, size_t bytes = 1) { ASSERT_TRUE(pvtest::WriteBytes(path, std::string(bytes, 'x'))); }
    // The files of the temporary sandbox that the search lists.
    std::string Temp(const std::string& name) const { return temp_ / name; }

    // In the page's initial state: host mode 0, the disk tab's options shown.
    void ExpectInitialPage() const {
        EXPECT_FALSE(View()->Busy());
        EXPECT_FALSE(View()->ScanRunning());
        EXPECT_EQ(StartText(), clean::kCaptionStart);
        EXPECT_FALSE(host_.Visible(IDC_CLEAN_DELETE));
        EXPECT_FALSE(host_.Visible(IDC_CLEAN_STATUS));
        EXPECT_FALSE(pvtest::IsShown(DiskItem(IDC_DISK_LIST)));
        EXPECT_EQ(List().Rows(), 0);
        for (int id : {IDC_DISK_RECYCLE, IDC_DISK_COOKIES, IDC_DISK_TEMP, IDC_DISK_WINTEMP}) {
            EXPECT_TRUE(pvtest::IsShown(DiskItem(id))) << id;
            EXPECT_FALSE(pvtest::IsChecked(DiskItem(id))) << id;
        }
        const int pairs[][2] = {{IDC_DISK_RECYCLE_ALL, IDC_DISK_RECYCLE_SEARCH},
                                {IDC_DISK_COOKIES_ALL, IDC_DISK_COOKIES_SEARCH},
                                {IDC_DISK_TEMP_ALL, IDC_DISK_TEMP_SEARCH},
                                {IDC_DISK_WINTEMP_ALL, IDC_DISK_WINTEMP_SEARCH}};
        for (const auto& pair : pairs) {
            EXPECT_FALSE(IsWindowEnabled(DiskItem(pair[0]))) << pair[0];
            EXPECT_FALSE(IsWindowEnabled(DiskItem(pair[1]))) << pair[1];
            EXPECT_FALSE(pvtest::IsChecked(DiskItem(pair[0]))) << pair[0];
            EXPECT_TRUE(pvtest::IsChecked(DiskItem(pair[1]))) << pair[1];
        }
    }

    pvtest::TempFolder outside_{"outside"};  // never scanned
    pvtest::TempFolder temp_{"scantemp"};
    // The temporary path the search lists (TMP and TEMP) is the sandbox.
    pvtest::EnvironmentOverride tmpVariable_{"TMP", (temp_.path() + "\\").c_str()};
    pvtest::EnvironmentOverride tempVariable_{"TEMP", (temp_.path() + "\\").c_str()};
    pvtest::PageHost host_;
};

TEST_F(CleanPage, OpensOnTheDiskTabInHostModeZeroWithItsFourTabs) {
    ExpectInitialPage();
    EXPECT_EQ(View()->HostMode(), CCleanPcView::kModeInitial);
    CThemeTabCtrl& tabs = View()->Tabs();
    ASSERT_EQ(tabs.GetItemCount(), 4);
    const struct {
        const char* caption;
        int image;
        int control;  // one of the tab dialog's own controls
    } expected[] = {
        {clean::kTabDisk, 1, IDC_DISK_LIST},
        {clean::kTabWorkRecord, 2, IDC_WORK_VISIT_HISTORY},
        {clean::kTabAutoRecord, 0, IDC_AUTO_FORM_DATA},
        {clean::kTabStartup, 3, IDC_STARTUP_LIST},
    };
    for (int i = 0; i < 4; ++i) {
        char text[64] = {};
        TCITEMA item = {TCIF_TEXT | TCIF_IMAGE};
        item.pszText = text;
        item.cchTextMax = sizeof text;
        ASSERT_TRUE(tabs.GetItem(i, &item));
        EXPECT_STREQ(text, expected[i].caption);
        EXPECT_EQ(item.iImage, expected[i].image);
        CWnd* page = tabs.GetPage(i);
        ASSERT_NE(page, nullptr) << i;
        EXPECT_NE(GetDlgItem(page->m_hWnd, expected[i].control), nullptr) << i;
        EXPECT_EQ(GetParent(page->m_hWnd), tabs.m_hWnd);
        EXPECT_EQ(pvtest::IsShown(page->m_hWnd), i == 0) << i;
    }
    EXPECT_NE(TabCtrl_GetImageList(tabs.m_hWnd), nullptr);
    // The button row lies inside the page, whatever the font made of the template.
    RECT page = {}, start = {};
    GetClientRect(host_.page(), &page);
    GetWindowRect(host_.control(IDC_CLEAN_START), &start);
    MapWindowPoints(nullptr, host_.page(), reinterpret_cast<POINT*>(&start), 2);
    EXPECT_LE(start.bottom, page.bottom);
}

TEST_F(CleanPage, TabSwitchesSetTheStartButtonAndResetTheTabLeft) {
    Tick(IDC_DISK_TEMP);
    EXPECT_TRUE(IsWindowEnabled(DiskItem(IDC_DISK_TEMP_ALL)));
    const struct {
        int tab;
        int mode;
        const char* start;
    } steps[] = {
        {1, CCleanPcView::kModeWorkRecord, clean::kCaptionDeleteRecords},
        {2, CCleanPcView::kModeAutoRecord, clean::kCaptionDeleteRecords},
        {3, CCleanPcView::kModeStartup, clean::kCaptionStart},
        {0, CCleanPcView::kModeDisk, clean::kCaptionStart},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.tab);
        ClickTab(step.tab);
        EXPECT_EQ(View()->Tabs().GetCurrentPage(), step.tab);
        EXPECT_EQ(View()->HostMode(), step.mode);
        EXPECT_EQ(StartText(), step.start);
        EXPECT_FALSE(host_.Visible(IDC_CLEAN_DELETE));
        EXPECT_TRUE(pvtest::IsShown(View()->Tabs().GetPage(step.tab)->m_hWnd));
    }
    // The arrow keys do not move the selection past the tab switch.
    SendMessageA(host_.control(IDC_CLEAN_TABS), WM_KEYDOWN, VK_RIGHT, 0);
    pvtest::PumpPending();
    EXPECT_EQ(View()->Tabs().GetCurSel(), 0);
    // The disk tab was reset when it was left.
    EXPECT_FALSE(pvtest::IsChecked(DiskItem(IDC_DISK_TEMP)));
    EXPECT_FALSE(IsWindowEnabled(DiskItem(IDC_DISK_TEMP_ALL)));
    EXPECT_TRUE(pvtest::IsChecked(DiskItem(IDC_DISK_TEMP_SEARCH)));

    // On the activity-record tab the start button is its delete command: the
    // page is not left busy, and no disk scan starts.
    ClickTab(1);
    {
        MessageBoxHook hook;  // nothing is ticked: the tab says so
        Press(IDC_CLEAN_START);
        EXPECT_EQ(hook.seen().size(), 1u);
    }
    EXPECT_FALSE(View()->Busy());
    EXPECT_FALSE(View()->ScanRunning());
    EXPECT_EQ(StartText(), clean::kCaptionDeleteRecords);
    // The startup tab's scan gives the page back with its delete button.
    ClickTab(3);
    Press(IDC_CLEAN_START);
    EXPECT_FALSE(View()->Busy());
    EXPECT_EQ(StartText(), clean::kCaptionRescan);
    EXPECT_TRUE(host_.Visible(IDC_CLEAN_DELETE));
    ClickTab(0);
    EXPECT_FALSE(host_.Visible(IDC_CLEAN_DELETE));
    EXPECT_EQ(StartText(), clean::kCaptionStart);
}

TEST_F(CleanPage, StartWithoutTargetAsksForOneAndPutsTheHostBack) {
    MessageBoxHook hook;
    Press(IDC_CLEAN_START);
    ASSERT_EQ(hook.seen().size(), 1u);
    EXPECT_EQ(hook.seen()[0].text, clean::kMsgNoTarget);
    EXPECT_EQ(hook.seen()[0].caption, shell::kAppTitle);
    EXPECT_EQ(hook.seen()[0].icon, LoadIcon(nullptr, IDI_EXCLAMATION));
    ExpectInitialPage();
    EXPECT_EQ(View()->HostMode(), CCleanPcView::kModeInitial);
    EXPECT_FALSE(Disk()->Busy());
}

// A tree in the temporary sandbox: sizes, a subfolder, a dot-folder, a
// dot-file and a link to a folder outside. Returns the files the search lists.
Rows PlantTempTree(const pvtest::TempFolder& temp, const pvtest::TempFolder& outside, int extra) {
    Rows listed;
    auto plant = [&](const std::string& name, size_t bytes, bool shown) {
        EXPECT_TRUE(pvtest::WriteBytes(temp / name, std::string(bytes, 'x')));
        if (shown) listed.insert(temp / name);
    };
    EXPECT_TRUE(pvtest::MakeFolders(temp / "sub"));
    EXPECT_TRUE(pvtest::MakeFolders(temp / ".cache"));
    plant("a.txt", 1536, true);
    plant("empty.txt", 0, true);
    plant(".dotfile", 10, true);
    plant("sub\\b.dat", 2000, true);
    plant(".cache\\hidden.txt", 5, false);
    for (int i = 0; i < extra; ++i) plant("many" + std::to_string(i) + ".tmp", 1, true);
    EXPECT_TRUE(pvtest::WriteBytes(outside / "target.txt", "keep me"));
    EXPECT_TRUE(pvtest::MakeFolderLink(temp / "link", outside.path()));
    return listed;
}

TEST_F(CleanPage, SearchListsTheTemporaryFilesWithTheirSizes) {
    const Rows planted = PlantTempTree(temp_, outside_, 30);
    Tick(IDC_DISK_TEMP);
    Press(IDC_CLEAN_START);
    // While the scan runs: the page is busy, its tabs stay, the status line
    // follows the files.
    PumpUntil([this] { return List().Rows() > 0; });
    EXPECT_EQ(StartText(), clean::kCaptionStop);
    EXPECT_TRUE(View()->Busy());
    EXPECT_TRUE(View()->ScanRunning());
    EXPECT_TRUE(host_.Visible(IDC_CLEAN_STATUS));
    EXPECT_EQ(host_.Text(IDC_CLEAN_STATUS).rfind("검사대상 : ", 0), 0u);
    EXPECT_TRUE(pvtest::IsShown(DiskItem(IDC_DISK_LIST)));
    EXPECT_FALSE(pvtest::IsShown(DiskItem(IDC_DISK_TEMP)));
    ClickTab(2);
    EXPECT_EQ(View()->Tabs().GetCurrentPage(), 0);  // the click lock refuses the switch
    EXPECT_EQ(View()->HostMode(), CCleanPcView::kModeInitial);
    PumpUntil([this] { return StartText() == clean::kCaptionInitialScreen; });

    EXPECT_EQ(PathColumn(), planted);
    EXPECT_EQ(List().Cell(RowOf(Temp("a.txt")), 2), "1.5KB");
    EXPECT_EQ(List().Cell(RowOf(Temp("empty.txt")), 2), "0.0KB");
    EXPECT_EQ(List().Cell(RowOf(Temp("sub\\b.dat")), 2), "2.0KB");
    EXPECT_EQ(List().Cell(RowOf(Temp("a.txt")), 0), "");
    for (int row = 0; row < List().Rows(); ++row) EXPECT_FALSE(List().Ticked(row)) << row;
    EXPECT_EQ(List().ColumnWidth(2), 63);  // more than 8 rows
    EXPECT_EQ(host_.Text(IDC_CLEAN_STATUS), clean::kStatusSearchDone);
    EXPECT_TRUE(host_.Visible(IDC_CLEAN_DELETE));
    EXPECT_FALSE(View()->Busy());
    EXPECT_EQ(View()->TabClickLock(), 0);
    EXPECT_FALSE(Disk()->Busy());

    // Leaving the tab puts it back in its option view.
    ClickTab(1);
    ClickTab(0);
    ExpectInitialPage();
    EXPECT_EQ(View()->HostMode(), CCleanPcView::kModeDisk);
}

TEST_F(CleanPage, StopAnsweredNoLetsTheScanFinishWithTheSameRows) {
    const Rows planted = PlantTempTree(temp_, outside_, 40);
    Tick(IDC_DISK_TEMP);
    Press(IDC_CLEAN_START);
    PumpUntil([this] { return List().Rows() > 0; });
    {
        MessageBoxHook hook({IDNO});
        Press(IDC_CLEAN_START);  // "중  지"
        ASSERT_EQ(hook.seen().size(), 1u);
        EXPECT_EQ(hook.seen()[0].text, clean::kMsgStopQuestion);
        EXPECT_EQ(hook.seen()[0].caption, clean::kBoxTitle);
        EXPECT_EQ(hook.seen()[0].icon, LoadIcon(nullptr, IDI_QUESTION));
        EXPECT_TRUE(hook.seen()[0].hadButton);
    }
    EXPECT_EQ(StartText(), clean::kCaptionStop);
    PumpUntil([this] { return StartText() == clean::kCaptionInitialScreen; });
    EXPECT_EQ(PathColumn(), planted);
}

TEST_F(CleanPage, StopAnsweredYesLeavesAFreshInitialPage) {
    PlantTempTree(temp_, outside_, 40);
    Tick(IDC_DISK_TEMP);
    Press(IDC_CLEAN_START);
    PumpUntil([this] { return List().Rows() > 0; });
    HWND before = host_.page();
    {
        MessageBoxHook hook({IDYES});
        Press(IDC_CLEAN_START);
        ASSERT_EQ(hook.seen().size(), 1u);
    }
    ASSERT_NE(host_.page(), nullptr);
    EXPECT_FALSE(IsWindow(before));
    EXPECT_TRUE(View()->IsKindOf(RUNTIME_CLASS(CCleanPcView)));
    ExpectInitialPage();
    EXPECT_EQ(View()->HostMode(), CCleanPcView::kModeInitial);
    // Nothing of the abandoned scan reaches the new page.
    pvtest::PumpFor(300);
    EXPECT_EQ(List().Rows(), 0);
    EXPECT_FALSE(host_.Visible(IDC_CLEAN_STATUS));
}

// The worker does not wait for its rows: those it listed before the stop
// question stay out of the list while the question is open; after No they
// all arrive, after Yes none.
TEST_F(CleanPage, RowsListedBeforeTheStopQuestionWaitForItsAnswer) {
    const Rows planted = PlantTempTree(temp_, outside_, 200);
    for (bool stop : {false, true}) {
        Tick(IDC_DISK_TEMP);
        Press(IDC_CLEAN_START);
        PumpUntil([this] { return List().Rows() > 0; });
        Sleep(100);  // the tab's thread is busy: the worker's rows wait for it
        Disk()->HoldScan();  // as the question does
        const int held = List().Rows();
        pvtest::PumpFor(200);
        EXPECT_EQ(List().Rows(), held) << stop;
        if (stop) {
            Disk()->AbandonScan();
            pvtest::PumpFor(200);
            EXPECT_EQ(List().Rows(), held);
        } else {
            Disk()->ContinueScan();
            ASSERT_TRUE(PumpUntil([this] { return StartText() == clean::kCaptionInitialScreen; }, 10000));
            EXPECT_EQ(PathColumn(), planted);
            Press(IDC_CLEAN_START);  // "초기화면": a fresh page
        }
    }
}

TEST_F(CleanPage, InitialScreenButtonLeavesAFreshInitialPage) {
    Plant(Temp("one.txt"));
    Tick(IDC_DISK_TEMP);
    RunScan();
    ASSERT_EQ(List().Rows(), 1);
    HWND before = host_.page();
    MessageBoxHook hook;
    Press(IDC_CLEAN_START);  // "초기화면": no question after the scan
    EXPECT_TRUE(hook.seen().empty());
    EXPECT_FALSE(IsWindow(before));
    ExpectInitialPage();
    EXPECT_EQ(View()->HostMode(), CCleanPcView::kModeInitial);
}

TEST_F(CleanPage, DeleteWithNothingTickedSaysSoAndStartsNoWorker) {
    Plant(Temp("one.txt"));
    Tick(IDC_DISK_TEMP);
    RunScan();
    MessageBoxHook hook;
    Press(IDC_CLEAN_DELETE);
    ASSERT_EQ(hook.seen().size(), 1u);
    EXPECT_EQ(hook.seen()[0].text, clean::kMsgNothingChecked);
    EXPECT_EQ(hook.seen()[0].caption, shell::kAppTitle);
    EXPECT_EQ(hook.seen()[0].icon, LoadIcon(nullptr, IDI_HAND));
    EXPECT_FALSE(View()->HasDeletionWaiter());
    EXPECT_FALSE(View()->DeletionPending());
    EXPECT_FALSE(View()->Busy());
    pvtest::PumpFor(700);  // the delete timer fires and deletes nothing
    EXPECT_TRUE(pvtest::FileExists(Temp("one.txt")));
    EXPECT_EQ(List().Rows(), 1);
}

TEST_F(CleanPage, DeletingTickedRowsReportsByTheNumberOfFilesInUse) {
    const struct {
        int locked;
        const char* text;
        LPCSTR icon;
    } cases[] = {
        {0, clean::kMsgDeletionDone, IDI_EXCLAMATION},
        {1, clean::kMsgFileInUse, IDI_HAND},
        {2, clean::kMsgFilesInUse, IDI_HAND},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.locked);
        ClickTab(1);  // back to a fresh option view
        ClickTab(0);
        const std::string kept = Temp("kept.txt");
        Plant(kept);
        std::vector<std::string> ticked;
        std::vector<base::UniqueFile> holders;
        for (int i = 0; i < 3; ++i) {
            ticked.push_back(Temp("del" + std::to_string(i) + ".txt"));
            Plant(ticked.back());
            if (i < c.locked)
                holders.emplace_back(CreateFileA(ticked.back().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0,
                                                 nullptr));
        }
        Tick(IDC_DISK_TEMP);
        RunScan();
        for (const std::string& path : ticked) List().Tick(RowOf(path), true);
        Press(IDC_CLEAN_DELETE);
        const pvtest::SeenMessageBox report = AnswerReport();
        EXPECT_EQ(report.text, c.text);
        EXPECT_EQ(report.caption, shell::kAppTitle);
        EXPECT_EQ(report.icon, LoadIcon(nullptr, c.icon));
        for (int i = 0; i < 3; ++i) {
            const bool inUse = i < c.locked;
            EXPECT_EQ(pvtest::FileExists(ticked[i]), inUse) << ticked[i];
            const int row = RowOf(ticked[i]);
            EXPECT_EQ(row >= 0, inUse) << ticked[i];
            if (row >= 0) {
                EXPECT_TRUE(List().Ticked(row));  // a failed row stays, ticked
            }
        }
        EXPECT_TRUE(pvtest::FileExists(kept));
        EXPECT_GE(RowOf(kept), 0);
        holders.clear();
        for (const std::string& path : ticked) DeleteFileA(path.c_str());
        DeleteFileA(kept.c_str());
    }
}

TEST_F(CleanPage, HeaderTicksAndUnticksEveryRow) {
    for (int i = 0; i < 5; ++i) Plant(Temp("t" + std::to_string(i) + ".txt"));
    Tick(IDC_DISK_TEMP);
    RunScan();
    ASSERT_EQ(List().Rows(), 5);
    EXPECT_EQ(List().HeaderImage(0), 0);
    List().ClickHeader(1);  // other columns do nothing
    EXPECT_FALSE(Disk()->Busy());
    List().ClickHeader(0);
    PumpUntil([this] { return !Disk()->Busy() && View()->TabClickLock() == 0; });
    for (int row = 0; row < 5; ++row) EXPECT_TRUE(List().Ticked(row)) << row;
    EXPECT_EQ(List().HeaderImage(0), 1);
    List().ClickHeader(0);
    for (int row = 0; row < 5; ++row) EXPECT_FALSE(List().Ticked(row)) << row;
    EXPECT_EQ(List().HeaderImage(0), 0);
    // Ticking the last row by hand shows the ticked box; unticking one clears it.
    for (int row = 0; row < 5; ++row) List().Tick(row, true);
    EXPECT_EQ(List().HeaderImage(0), 1);
    List().Tick(2, false);
    EXPECT_EQ(List().HeaderImage(0), 0);
}

TEST_F(CleanPage, TickedCountFollowsThousandsOfRowsThroughAStoppedAndAWholeTickAllPass) {
    Plant(Temp("one.txt"));
    Tick(IDC_DISK_TEMP);
    RunScan();
    pvtest::ListView list = List();
    list.AppendRows(3000);
    list.Select(3);
    for (int row : {3, 7, 2999}) list.Tick(row, true);
    list.Tick(7, false);

    // The pass's steps, taken one at a time, until it has ticked some rows;
    // then a click on the header stops it and unticks every row.
    list.ClickHeader(0, false);
    while (list.TickedRows() < 400) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_SENDMESSAGE);
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    ASSERT_LT(list.TickedRows(), list.Rows());
    list.ClickHeader(0);
    EXPECT_FALSE(Disk()->Busy());
    EXPECT_EQ(list.TickedRows(), 0);
    EXPECT_EQ(list.HeaderImage(0), 0);

    list.ClickHeader(0);
    PumpUntil([this] { return !Disk()->Busy() && View()->TabClickLock() == 0; });
    EXPECT_EQ(list.TickedRows(), list.Rows());
    EXPECT_EQ(list.HeaderImage(0), 1);

    for (int row : {2000, 0, list.Rows() - 1}) SendMessageA(list.hwnd(), LVM_DELETEITEM, row, 0);
    list.Tick(5, false);
    EXPECT_EQ(list.HeaderImage(0), 0);
    list.Tick(5, true);
    EXPECT_EQ(list.HeaderImage(0), 1);
}

TEST_F(CleanPage, LinkTargetSurvivesSearchDeleteAndDeleteAll) {
    const Rows listed = PlantTempTree(temp_, outside_, 0);
    Tick(IDC_DISK_TEMP);
    RunScan();
    ASSERT_EQ(PathColumn(), listed);
    List().ClickHeader(0);
    PumpUntil([this] { return !Disk()->Busy(); });
    Press(IDC_CLEAN_DELETE);
    EXPECT_EQ(AnswerReport().text, clean::kMsgDeletionDone);
    EXPECT_EQ(List().Rows(), 0);
    for (const std::string& path : listed) EXPECT_FALSE(pvtest::FileExists(path)) << path;
    EXPECT_EQ(pvtest::ReadBytes(outside_ / "target.txt"), "keep me");
    EXPECT_TRUE(pvtest::IsLink(Temp("link")));
    EXPECT_TRUE(pvtest::FileExists(Temp(".cache\\hidden.txt")));

    ClickTab(1);
    ClickTab(0);
    PlantTempTree(temp_, outside_, 0);
    Tick(IDC_DISK_TEMP);
    MessageBoxHook hook({IDYES, IDOK});
    pvtest::Click(DiskItem(IDC_DISK_TEMP_ALL));
    ASSERT_EQ(hook.seen().size(), 2u);
    for (const std::string& path : listed) EXPECT_FALSE(pvtest::FileExists(path)) << path;
    EXPECT_EQ(pvtest::ReadBytes(outside_ / "target.txt"), "keep me");
    EXPECT_TRUE(pvtest::FileExists(Temp(".cache\\hidden.txt")));
}

// Between the search and the delete button a folder of the listing is
// swapped for a link to a folder holding the same name: that row stays,
// ticked and counted as failed, the sentinel behind the link survives.
TEST_F(CleanPage, ARowUnderAFolderSwappedForALinkStaysAndFails) {
    const Rows listed = PlantTempTree(temp_, outside_, 0);
    ASSERT_TRUE(pvtest::MakeFolders(outside_ / "sub") && pvtest::WriteBytes(outside_ / "sub\\b.dat", "keep"));
    Tick(IDC_DISK_TEMP);
    RunScan();
    ASSERT_EQ(PathColumn(), listed);
    List().ClickHeader(0);
    PumpUntil([this] { return !Disk()->Busy(); });
    pvtest::SwappedForLink swap(Temp("sub"), outside_ / "sub");
    ASSERT_TRUE(swap.ok());
    Press(IDC_CLEAN_DELETE);
    EXPECT_EQ(AnswerReport().text, clean::kMsgFileInUse);  // one failure
    EXPECT_EQ(PathColumn(), Rows{Temp("sub\\b.dat")});
    EXPECT_TRUE(List().Ticked(0));
    EXPECT_EQ(pvtest::ReadBytes(outside_ / "sub\\b.dat"), "keep");
}

TEST_F(CleanPage, DeleteAllAnsweredNoKeepsTheRowTickedOnSearch) {
    Plant(Temp("stays.txt"));
    Tick(IDC_DISK_TEMP);
    MessageBoxHook hook({IDNO});
    pvtest::Click(DiskItem(IDC_DISK_TEMP_ALL));
    ASSERT_EQ(hook.seen().size(), 1u);
    EXPECT_EQ(hook.seen()[0].text, clean::kQuestionTempFiles);
    EXPECT_EQ(hook.seen()[0].caption, shell::kAppTitle);
    EXPECT_EQ(hook.seen()[0].icon, LoadIcon(nullptr, IDI_QUESTION));
    EXPECT_TRUE(pvtest::FileExists(Temp("stays.txt")));
    EXPECT_TRUE(pvtest::IsChecked(DiskItem(IDC_DISK_TEMP)));
    EXPECT_TRUE(pvtest::IsChecked(DiskItem(IDC_DISK_TEMP_SEARCH)));
    EXPECT_FALSE(pvtest::IsChecked(DiskItem(IDC_DISK_TEMP_ALL)));
    EXPECT_TRUE(IsWindowEnabled(DiskItem(IDC_DISK_TEMP_ALL)));
    EXPECT_EQ(GetFocus(), DiskItem(IDC_DISK_TEMP_SEARCH));
}

TEST_F(CleanPage, DeleteAllAnsweredYesDeletesWhatTheSearchListsAndReports) {
    const struct {
        bool inUse;
        const char* text;
        LPCSTR icon;
    } cases[] = {{false, clean::kMsgTaskDone, IDI_EXCLAMATION}, {true, clean::kMsgFilesInUse, IDI_HAND}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.inUse);
        ASSERT_TRUE(pvtest::MakeFolders(Temp("sub")));
        Plant(Temp("sub\\gone.txt"));
        Plant(Temp("gone.txt"));
        base::UniqueFile holder;
        if (c.inUse) {
            Plant(Temp("held.txt"));
            holder.reset(CreateFileA(Temp("held.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        }
        Tick(IDC_DISK_TEMP);
        MessageBoxHook hook({IDYES, IDOK});
        pvtest::Click(DiskItem(IDC_DISK_TEMP_ALL));
        ASSERT_EQ(hook.seen().size(), 2u);
        EXPECT_EQ(hook.seen()[0].text, clean::kQuestionTempFiles);
        EXPECT_EQ(hook.seen()[1].text, c.text);
        EXPECT_EQ(hook.seen()[1].caption, shell::kAppTitle);
        EXPECT_EQ(hook.seen()[1].icon, LoadIcon(nullptr, c.icon));
        EXPECT_FALSE(pvtest::FileExists(Temp("gone.txt")));
        EXPECT_FALSE(pvtest::FileExists(Temp("sub\\gone.txt")));
        EXPECT_TRUE(pvtest::FolderExists(Temp("sub")));  // folders stay
        EXPECT_FALSE(pvtest::IsChecked(DiskItem(IDC_DISK_TEMP)));
        EXPECT_TRUE(pvtest::IsChecked(DiskItem(IDC_DISK_TEMP_SEARCH)));
        EXPECT_FALSE(IsWindowEnabled(DiskItem(IDC_DISK_TEMP_ALL)));
        EXPECT_FALSE(pvtest::IsShown(DiskItem(IDC_DISK_LIST)));  // the list is left alone
        holder.reset();
        DeleteFileA(Temp("held.txt").c_str());
    }
}

// A temporary path outside the profile (HKCU\Environment is the user's to
// set): its row says why it is not cleaned, a tick on it deletes nothing, and
// the delete-all says it left the folder alone.
TEST_F(CleanPage, ATemporaryPathOutsideTheProfileIsListedAsNotCleanedAndKept) {
    pvtest::PlantedFolder outside("C:\\pvclean" + std::to_string(GetCurrentProcessId()));
    ASSERT_TRUE(outside.PlantFile("sentinel", "keep"));
    tmpVariable_.Set((outside.path() + "\\").c_str());
    tempVariable_.Set((outside.path() + "\\").c_str());
    Tick(IDC_DISK_TEMP);
    RunScan();
    ASSERT_EQ(PathColumn(), Rows{outside.path() + "\\"});
    EXPECT_EQ(List().Cell(0, 2), clean::kRefusedOutside);
    List().Tick(0, true);
    MessageBoxHook nothing;
    Press(IDC_CLEAN_DELETE);
    EXPECT_EQ(nothing.seen().at(0).text, clean::kMsgNothingChecked);
    pvtest::PumpFor(700);  // the delete timer passes the row over
    ClickTab(1);
    ClickTab(0);
    Tick(IDC_DISK_TEMP);
    MessageBoxHook hook({IDYES, IDOK});
    pvtest::Click(DiskItem(IDC_DISK_TEMP_ALL));
    EXPECT_EQ(hook.seen().at(1).text, clean::kMsgFoldersRefused);
    EXPECT_EQ(pvtest::ReadBytes(outside / "sentinel"), "keep");
}

// ---- the prefix's own folders (one recycle bin, one cookie folder) -------------

int RecycleBinCount() { return CShellExt().GetRecycleBinItems()->GetCount(); }

TEST_F(CleanPage, RecycleBinWithThreeItemsGivesOneRowEmptiedThroughItsTick) {
    clean::EmptyRecycleBins();
    Tick(IDC_DISK_RECYCLE);
    Tick(IDC_DISK_TEMP);
    RunScan();  // an empty bin gives no row
    EXPECT_EQ(List().Rows(), 0);
    EXPECT_FALSE(host_.Visible(IDC_CLEAN_DELETE));  // nothing found: nothing to delete
    EXPECT_EQ(host_.Text(IDC_CLEAN_STATUS), clean::kStatusSearchDone);
    EXPECT_EQ(List().ColumnWidth(2), 80);

    ClickTab(1);
    ClickTab(0);
    pvtest::TempFolder trash{"trash"};
    for (const char* name : {"r1.txt", "r2.txt", "r3.txt"}) {
        Plant(trash / name);
        ASSERT_TRUE(pvtest::MoveToRecycleBin(trash / name));
    }
    Plant(Temp("file.txt"));
    Tick(IDC_DISK_RECYCLE);
    Tick(IDC_DISK_TEMP);
    RunScan();
    ASSERT_EQ(List().Rows(), 2);
    EXPECT_EQ(List().Cell(0, 1), "휴지통 (파일 갯수 : 3개)");
    EXPECT_EQ(List().Cell(0, 2), "");
    EXPECT_EQ(List().Cell(1, 1), Temp("file.txt"));

    // Only the bin's row ticked: the bin is emptied, the file stays.
    List().Tick(0, true);
    Press(IDC_CLEAN_DELETE);
    EXPECT_EQ(AnswerReport().text, clean::kMsgDeletionDone);
    EXPECT_EQ(RecycleBinCount(), 0);
    ASSERT_EQ(List().Rows(), 1);
    EXPECT_EQ(List().Cell(0, 1), Temp("file.txt"));
    EXPECT_TRUE(pvtest::FileExists(Temp("file.txt")));
}

TEST_F(CleanPage, RecycleBinDeleteAllEmptiesItAfterTheQuestion) {
    pvtest::TempFolder trash{"trash"};
    Plant(trash / "r.txt");
    ASSERT_TRUE(pvtest::MoveToRecycleBin(trash / "r.txt"));
    Tick(IDC_DISK_RECYCLE);
    {
        MessageBoxHook hook({IDNO});
        pvtest::Click(DiskItem(IDC_DISK_RECYCLE_ALL));
        ASSERT_EQ(hook.seen().size(), 1u);
        EXPECT_EQ(hook.seen()[0].text, clean::kQuestionRecycleBin);
    }
    EXPECT_EQ(RecycleBinCount(), 1);
    EXPECT_TRUE(pvtest::IsChecked(DiskItem(IDC_DISK_RECYCLE_SEARCH)));
    MessageBoxHook hook({IDYES, IDOK});
    pvtest::Click(DiskItem(IDC_DISK_RECYCLE_ALL));
    ASSERT_EQ(hook.seen().size(), 2u);
    EXPECT_EQ(hook.seen()[1].text, clean::kMsgTaskDone);
    EXPECT_EQ(hook.seen()[1].icon, LoadIcon(nullptr, IDI_EXCLAMATION));
    EXPECT_EQ(RecycleBinCount(), 0);
    EXPECT_FALSE(pvtest::IsChecked(DiskItem(IDC_DISK_RECYCLE)));
    EXPECT_FALSE(IsWindowEnabled(DiskItem(IDC_DISK_RECYCLE_ALL)));
}

// The shell's cookie folder, planted in for one test.
class CookieFolder : public pvtest::PlantedFolder {
public:
    CookieFolder() : PlantedFolder(clean::ReadSystemFolders().shellCookies) {}
    std::string Plant(const std::string& name) {
        PlantFile(name, "cookie");
        planted_.push_back(*this / name);
        return planted_.back();
    }
    // Whether anything but what this object planted lies in the folder.
    bool HoldsOthers() const {
        bool others = false;
        clean::WalkFiles(path() + "\\*.*", [&](const char* file, const char*) {
            others = others || std::find(planted_.begin(), planted_.end(), file) == planted_.end();
            return true;
        });
        return others;
    }

private:
    std::vector<std::string> planted_;
};

TEST_F(CleanPage, CookieSearchDropsIndexDatRowsOfTheWholeList) {
    CookieFolder cookies;
    const std::string cookie = cookies.Plant("user@site[1].txt");
    cookies.Plant("index.dat");
    const std::string capitals = cookies.Plant("upper\\INDEX.DAT");
    Plant(Temp("index.dat"));
    Plant(Temp("note.txt"));

    Tick(IDC_DISK_TEMP);
    RunScan();  // the temporary files alone keep their index.dat
    EXPECT_GE(RowOf(Temp("index.dat")), 0);

    ClickTab(1);
    ClickTab(0);
    Tick(IDC_DISK_TEMP);
    Tick(IDC_DISK_COOKIES);
    RunScan();
    const Rows rows = PathColumn();
    EXPECT_EQ(rows.count(cookie), 1u);
    EXPECT_EQ(rows.count(capitals), 1u);  // the rule minds the letter case
    EXPECT_EQ(rows.count(Temp("note.txt")), 1u);
    for (const std::string& row : rows) EXPECT_FALSE(clean::IsIndexDatPath(row.c_str())) << row;
}

TEST_F(CleanPage, CookieFolderWithOnlyIndexDatLeavesTheDeleteButtonOverAnEmptyList) {
    CookieFolder cookies;
    cookies.Plant("index.dat");
    if (cookies.HoldsOthers()) GTEST_SKIP() << "the prefix's cookie folder holds cookies of its own";
    Tick(IDC_DISK_COOKIES);
    RunScan();
    EXPECT_EQ(List().Rows(), 0);
    EXPECT_TRUE(host_.Visible(IDC_CLEAN_DELETE));
    MessageBoxHook hook;
    Press(IDC_CLEAN_DELETE);
    ASSERT_EQ(hook.seen().size(), 1u);
    EXPECT_EQ(hook.seen()[0].text, clean::kMsgNothingChecked);
}

TEST_F(CleanPage, WindowsTempSearchListsItsFiles) {
    char windows[MAX_PATH] = {};
    GetWindowsDirectoryA(windows, MAX_PATH);
    const std::string planted = std::string(windows) + "\\Temp\\pvclean_" + std::to_string(GetCurrentProcessId()) + ".tmp";
    Plant(planted, 1536);
    Tick(IDC_DISK_WINTEMP);
    RunScan();
    const int row = RowOf(planted);
    ASSERT_GE(row, 0);
    EXPECT_EQ(List().Cell(row, 2), "1.5KB");
    EXPECT_EQ(PathColumn().count(planted), 1u);  // its folder is searched once
    DeleteFileA(planted.c_str());
}

}  // namespace
