// The reports page: the list of logs, the tick-all header and deletion.
#include "tests/reportview/report_page_fixture.h"

#include "base/unique_handle.h"
#include "tests/support/window_driver.h"

using report_test::Head;
using report_test::ReportPage;

namespace {

HICON Icon(LPCSTR id) { return LoadIcon(nullptr, id); }

}  // namespace

TEST_F(ReportPage, ListsEachFolderWithAReadableHeadAndOnlyThose) {
    const std::string longName = "00000005-a-folder-name-far-past-eleven-characters";
    MakeLog("00000000", nullptr, "report of the folder without head.txt");
    MakeLog("00000001", Head("2004-10-03 09:05").c_str(), "report 1");
    MakeLog("00000002", "2004-10-04 10:00\r\n애드웨어 검사\r\n로컬하드 디스크\r\n취  소\r\nmore\r\n");
    MakeLog("00000003", "2004-10-05 11:00\r\n애드웨어 검사");
    MakeLog(longName, Head("2004-10-06 12:00").c_str(), "report of the long name");
    ASSERT_TRUE(pvtest::WriteBytes(LogPath("notes.txt"), Head("2004-10-07 13:00")));
    OpenPage();

    pvtest::ListView list = List();
    ASSERT_EQ(list.Rows(), 4);
    const char* const expected[4][5] = {
        {"", "2004-10-03 09:05", "애드웨어 검사", "로컬하드 디스크", "완  료"},
        {"", "2004-10-04 10:00", "애드웨어 검사", "로컬하드 디스크", "취  소\r\nmore\r\n"},
        {"", "2004-10-05 11:00", "애드웨어 검사", "", ""},
        {"", "2004-10-06 12:00", "애드웨어 검사", "로컬하드 디스크", "완  료"},
    };
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 5; ++column) EXPECT_EQ(list.Cell(row, column), expected[row][column]);
    for (int row = 0; row < 4; ++row) EXPECT_FALSE(list.Ticked(row));

    // The folder without a head has no row, and no row is taken for it.
    EXPECT_EQ(OpenReport(0).text, "report 1");
    EXPECT_EQ(OpenReport(3).text, "report of the long name");
}

TEST_F(ReportPage, ColumnsFillTheListUnderTheirHeadings) {
    MakeLog("00000000", Head("2004-10-03 09:05").c_str());
    OpenPage();
    pvtest::ListView list = List();
    ASSERT_EQ(list.Columns(), 5);
    const char* const headings[] = {"", "검 사 일", "종    류", "제    목", "상    태"};
    for (int column = 0; column < 5; ++column) {
        HDITEMA item = {};
        char text[64] = {};
        item.mask = HDI_TEXT;
        item.pszText = text;
        item.cchTextMax = sizeof text;
        SendMessageA(list.header(), HDM_GETITEMA, column, reinterpret_cast<LPARAM>(&item));
        EXPECT_STREQ(text, headings[column]);
    }
    RECT client = {};
    GetClientRect(list.hwnd(), &client);
    EXPECT_EQ(list.ColumnWidth(0), 25);
    EXPECT_EQ(list.ColumnWidth(1), 120);
    EXPECT_EQ(list.ColumnWidth(2), 110);
    EXPECT_EQ(list.ColumnWidth(3), 138);
    EXPECT_EQ(list.ColumnWidth(4), client.right - 393);
    EXPECT_EQ(list.HeaderImage(0), 0);
    const DWORD extended = static_cast<DWORD>(SendMessageA(list.hwnd(), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
    EXPECT_EQ(extended & (LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT), DWORD(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT));
    EXPECT_EQ(page_->Text(IDC_REPORT_DELETE), "삭 제");
}

TEST_F(ReportPage, HeaderBoxFollowsTheTicksAndTicksEveryRow) {
    for (const char* name : {"00000000", "00000001", "00000002"}) MakeLog(name, Head("2004-10-03 09:05").c_str());
    OpenPage();
    pvtest::ListView list = List();

    // The last tick is on the selected row: it counts as a tick too.
    list.Select(2);
    for (int row = 0; row < 3; ++row) list.Tick(row, true);
    EXPECT_EQ(list.HeaderImage(0), 1);
    list.Tick(1, false);
    EXPECT_EQ(list.HeaderImage(0), 0);
    list.Tick(1, true);
    EXPECT_EQ(list.HeaderImage(0), 1);

    list.ClickHeader(0);  // all ticked: a click unticks every row
    for (int row = 0; row < 3; ++row) EXPECT_FALSE(list.Ticked(row));
    EXPECT_EQ(list.HeaderImage(0), 0);
    list.ClickHeader(0);
    for (int row = 0; row < 3; ++row) EXPECT_TRUE(list.Ticked(row));
    EXPECT_EQ(list.HeaderImage(0), 1);

    list.ClickHeader(2);  // other columns neither tick nor sort
    for (int row = 0; row < 3; ++row) EXPECT_TRUE(list.Ticked(row));
    EXPECT_EQ(list.HeaderImage(0), 1);
}

TEST_F(ReportPage, TickAllOfThousandsOfRowsShowsTheTickedBoxAndUntickAllTheEmptyOne) {
    MakeLog("00000000", Head("2004-10-03 09:05").c_str());
    OpenPage();
    pvtest::ListView list = List();
    list.AppendRows(3000);
    for (int allTicked : {1, 0}) {  // the second click unticks: the flag was set
        list.ClickHeader(0);
        EXPECT_EQ(list.TickedRows(), allTicked ? list.Rows() : 0);
        EXPECT_EQ(list.HeaderImage(0), allTicked);
    }
}

TEST_F(ReportPage, HeaderClickOnAnEmptyListDoesNothing) {
    OpenPage();
    List().ClickHeader(0);
    EXPECT_EQ(List().HeaderImage(0), 0);
}

TEST_F(ReportPage, DeletingTickedRowsInTheMiddleKeepsEveryOtherRowOnItsOwnLog) {
    for (int i = 0; i < 4; ++i) {
        const std::string name = "0000000" + std::to_string(i);
        MakeLog(name, Head("2004-10-0" + std::to_string(i + 1) + " 09:05").c_str(), ("report " + name).c_str());
    }
    OpenPage();
    List().Tick(1, true);
    List().Tick(2, true);

    const pvtest::SeenMessageBox box = PressDelete();
    EXPECT_EQ(box.text, reports::kMsgDeleted);
    EXPECT_EQ(box.caption, "Purvex");
    EXPECT_EQ(box.icon, Icon(IDI_EXCLAMATION));
    EXPECT_EQ(Dates(), (std::vector<std::string>{"2004-10-01 09:05", "2004-10-04 09:05"}));
    EXPECT_FALSE(pvtest::FolderExists(LogPath("00000001")));
    EXPECT_FALSE(pvtest::FolderExists(LogPath("00000002")));
    EXPECT_EQ(List().HeaderImage(0), 0);

    // Row 1 is now the last log's: it opens and deletes that one.
    EXPECT_EQ(OpenReport(1).text, "report 00000003");
    List().Tick(1, true);
    EXPECT_EQ(PressDelete().text, reports::kMsgDeleted);
    EXPECT_FALSE(pvtest::FolderExists(LogPath("00000003")));
    EXPECT_TRUE(pvtest::FolderExists(LogPath("00000000")));
    EXPECT_EQ(OpenReport(0).text, "report 00000000");
}

TEST_F(ReportPage, DeleteMessagesForNoLogsNothingTickedAndAfterTheLastRowWent) {
    OpenPage();  // no log folder at all
    pvtest::SeenMessageBox box = PressDelete();
    EXPECT_EQ(box.text, reports::kMsgNoRecords);
    EXPECT_EQ(box.caption, "Purvex");
    EXPECT_EQ(box.icon, Icon(IDI_EXCLAMATION));

    MakeLog("00000000", nullptr);  // a folder without a head is no record
    OpenPage();
    EXPECT_EQ(PressDelete().text, reports::kMsgNoRecords);

    MakeLog("00000001", Head("2004-10-03 09:05").c_str());
    OpenPage();
    box = PressDelete();
    EXPECT_EQ(box.text, reports::kMsgNothingTicked);
    EXPECT_EQ(box.icon, Icon(IDI_EXCLAMATION));

    // The record count stays: with every row gone there is nothing to tick.
    List().ClickHeader(0);
    EXPECT_EQ(PressDelete().text, reports::kMsgDeleted);
    EXPECT_EQ(List().Rows(), 0);
    EXPECT_EQ(PressDelete().text, reports::kMsgNothingTicked);
    EXPECT_TRUE(pvtest::FolderExists(LogPath("00000000")));
}

TEST_F(ReportPage, ALogThatCannotBeDeletedKeepsItsRowTickAndRecord) {
    MakeLog("00000000", Head("2004-10-01 09:05").c_str());
    const std::string held = MakeLog("00000001", Head("2004-10-02 09:05").c_str(), "held report");
    MakeLog("00000002", Head("2004-10-03 09:05").c_str());
    OpenPage();
    List().ClickHeader(0);

    base::UniqueFile open(CreateFileA((held + "\\report.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0,
                                      nullptr));
    ASSERT_TRUE(open);
    pvtest::SeenMessageBox box = PressDelete();
    EXPECT_EQ(box.text, reports::kMsgSomeNotDeleted);
    EXPECT_EQ(box.caption, "Purvex");
    EXPECT_EQ(box.icon, Icon(IDI_HAND));
    EXPECT_EQ(Dates(), (std::vector<std::string>{"2004-10-02 09:05"}));
    EXPECT_TRUE(List().Ticked(0));
    EXPECT_TRUE(pvtest::FolderExists(held));
    EXPECT_FALSE(pvtest::FolderExists(LogPath("00000000")));
    EXPECT_FALSE(pvtest::FolderExists(LogPath("00000002")));

    // Its record stayed: once the file is let go, the same row deletes it.
    open.reset();
    box = PressDelete();
    EXPECT_EQ(box.text, reports::kMsgDeleted);
    EXPECT_EQ(List().Rows(), 0);
    EXPECT_FALSE(pvtest::FolderExists(held));
}

TEST_F(ReportPage, ALinkInsideALogIsNeverWalkedThrough) {
    const std::string log = MakeLog("00000000", Head("2004-10-01 09:05").c_str());
    const std::string target = SandboxPath("elsewhere");
    ASSERT_TRUE(pvtest::MakeFolders(target + "\\inner"));
    ASSERT_TRUE(pvtest::WriteBytes(target + "\\keep.txt", "keep"));
    ASSERT_TRUE(pvtest::WriteBytes(target + "\\inner\\keep.txt", "keep"));
    ASSERT_TRUE(pvtest::MakeFolderLink(log + "\\link", target));
    OpenPage();
    List().Tick(0, true);

    // Wine cannot remove a folder link: the log stays and is not reported
    // as deleted, and nothing behind the link is touched.
    const pvtest::SeenMessageBox box = PressDelete();
    EXPECT_EQ(box.text, reports::kMsgSomeNotDeleted);
    EXPECT_EQ(pvtest::ReadBytes(target + "\\keep.txt"), "keep");
    EXPECT_EQ(pvtest::ReadBytes(target + "\\inner\\keep.txt"), "keep");
    EXPECT_TRUE(pvtest::IsLink(log + "\\link"));
    EXPECT_FALSE(pvtest::FileExists(log + "\\head.txt"));
    EXPECT_EQ(List().Rows(), 1);
    EXPECT_TRUE(List().Ticked(0));
    EXPECT_TRUE(pvtest::RemoveFolderLink(log + "\\link"));
}

// After the page listed the logs, a log folder (or the log root) is swapped
// for a link to a folder holding the same names: its row stays, ticked, and
// the sentinels behind the link survive.
TEST_F(ReportPage, ALogSwappedForALinkSinceTheListingStays) {
    for (const char* swapped : {"00000000", ""}) {
        SCOPED_TRACE(swapped);
        MakeLog("00000000", Head("2004-10-01 09:05").c_str());
        const std::string outside = SandboxPath("outside");
        ASSERT_TRUE(pvtest::MakeFolders(outside + "\\00000000") &&
                    pvtest::WriteBytes(outside + "\\00000000\\report.txt", "keep"));
        OpenPage();
        List().Tick(0, true);
        {
            pvtest::SwappedForLink swap(swapped[0] ? LogPath(swapped) : logRoot_,
                                        swapped[0] ? outside + "\\" + swapped : outside);
            ASSERT_TRUE(swap.ok());
            EXPECT_EQ(PressDelete().text, reports::kMsgSomeNotDeleted);
            EXPECT_EQ(pvtest::ReadBytes(outside + "\\00000000\\report.txt"), "keep");
            EXPECT_TRUE(List().Ticked(0));
        }
        EXPECT_EQ(PressDelete().text, reports::kMsgDeleted) << "put back";
    }
}

TEST_F(ReportPage, ALogAlreadyGoneCountsAsDeleted) {
    MakeLog("00000000", Head("2004-10-01 09:05").c_str());
    OpenPage();
    ASSERT_TRUE(pvtest::RemoveTree(LogPath("00000000")));
    List().Tick(0, true);
    EXPECT_EQ(PressDelete().text, reports::kMsgDeleted);
    EXPECT_EQ(List().Rows(), 0);
}
