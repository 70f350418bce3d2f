// The ActiveX block list page on a virtual display, driven by window
// messages, against the real Kordon.dll, real files and the real registry.
#include <gtest/gtest.h>

#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include "app/activex/activex_block.h"
#include "app/activex/activex_texts.h"
#include "kordon/kadb_codec.h"
#include "tests/support/kill_bit_probe.h"
#include "tests/support/message_box_hook.h"
#include "tests/support/page_host.h"
#include "tests/support/registry_sandbox.h"
#include "tests/support/sandbox.h"

// The page with a library file name that does not exist.
class CNoKordonPage : public CActiveXBlock {
    DECLARE_DYNCREATE(CNoKordonPage)

protected:
    const char* LibraryFileName() const override { return "KordonMissing.dll"; }
};
IMPLEMENT_DYNCREATE(CNoKordonPage, CActiveXBlock)

namespace {

using pvtest::MessageBoxHook;
using pvtest::PageHost;

using namespace kill_bit_probe;

void Block(const std::string& clsid) {
    ASSERT_TRUE(pvtest::SetValue(HKEY_LOCAL_MACHINE, Key(clsid), kFlags, Dword(kKillBit), REG_DWORD));
}
std::string Count(int n) {
    char text[64];
    snprintf(text, sizeof text, activex::kCountFormat, n);
    return text;
}
std::string BlockedCount(int n) {
    char text[64];
    snprintf(text, sizeof text, activex::kBlockedFormat, n);
    return text;
}

// Each test works in a sandbox folder that is the current folder (the page's
// Kordon.adb lives there), with the compatibility key saved and put back.
class ActiveXPage : public ::testing::Test {
protected:
    ActiveXPage() : folder_(sandbox_.path()), compat_(HKEY_LOCAL_MACHINE, kCompat, pvtest::KeyBackup::kEnsure) {
        for (int n = 1; n <= 12; ++n) pvtest::DeleteKeyTree(HKEY_LOCAL_MACHINE, Key(Clsid(n)));
    }

    void UseDatabase(const std::vector<kadb::Entry>& entries) {
        kadb::Database db;
        db.entries = entries;
        std::vector<uint8_t> bytes;
        ASSERT_EQ(kadb::EncodeError::none, kadb::Encode(db, &bytes));
        ASSERT_TRUE(pvtest::WriteBytes(sandbox_ / "Kordon.adb", std::string(bytes.begin(), bytes.end())));
    }
    // Records named Name<n> with CLSIDs Clsid(n), n = 1..count.
    void UseNumberedDatabase(int count) {
        std::vector<kadb::Entry> entries;
        for (int n = 1; n <= count; ++n) entries.push_back({"Name" + std::to_string(n), Clsid(n), "", 0});
        UseDatabase(entries);
    }
    kadb::Database Saved() {
        const std::string bytes = pvtest::ReadBytes(sandbox_ / "Kordon.adb");
        kadb::Database db;
        EXPECT_EQ(kadb::DecodeResult::whole,
                  kadb::Decode(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), &db));
        return db;
    }
    static std::vector<std::string> Column(const pvtest::ListView& list, int column) {
        std::vector<std::string> cells;
        for (int row = 0; row < list.Rows(); ++row) cells.push_back(list.Cell(row, column));
        return cells;
    }
    // A picture for the eye, when PURVEX_SCREENSHOTS names a host folder.
    static void Screenshot(const char* name) {
        const char* folder = getenv("PURVEX_SCREENSHOTS");
        if (folder != nullptr) pvtest::SaveScreenshot(std::string(folder) + "/" + name);
    }

    pvtest::TempFolder sandbox_;
    pvtest::CurrentFolder folder_;
    pvtest::KeyBackup compat_;
};

TEST_F(ActiveXPage, EmptyDatabaseShowsTheCheckedBoxAndZeroCounts) {
    UseDatabase({});
    MessageBoxHook boxes;
    PageHost host(RUNTIME_CLASS(CActiveXBlock));
    EXPECT_TRUE(boxes.seen().empty());
    pvtest::ListView list = host.List(IDC_ACTIVEX_LIST);
    EXPECT_EQ(0, list.Rows());
    ASSERT_EQ(3, list.Columns());
    RECT client = {};
    GetClientRect(list.hwnd(), &client);
    EXPECT_EQ(24, list.ColumnWidth(0));
    EXPECT_EQ(client.right - 214, list.ColumnWidth(1));
    EXPECT_EQ(190, list.ColumnWidth(2));
    EXPECT_EQ(1, list.HeaderImage(0));
    EXPECT_EQ(Count(0), host.Text(IDC_ACTIVEX_COUNT));
    EXPECT_EQ(BlockedCount(0), host.Text(IDC_ACTIVEX_BLOCKED));
    EXPECT_FALSE(host.Visible(IDC_ACTIVEX_DELETE));
    EXPECT_TRUE(host.Visible(IDC_ACTIVEX_EDIT));
}

TEST_F(ActiveXPage, FillShowsRowsTicksAndCountsAndNarrowsTheNameColumnPastNineRows) {
    Block(Clsid(2));
    UseNumberedDatabase(3);
    {
        PageHost host(RUNTIME_CLASS(CActiveXBlock));
        pvtest::ListView list = host.List(IDC_ACTIVEX_LIST);
        ASSERT_EQ(3, list.Rows());
        EXPECT_EQ(Clsid(2), list.Cell(1, 1));
        EXPECT_EQ("Name2", list.Cell(1, 2));
        EXPECT_FALSE(list.Ticked(0));
        EXPECT_TRUE(list.Ticked(1));
        EXPECT_EQ(0, list.HeaderImage(0));
        EXPECT_EQ(Count(3), host.Text(IDC_ACTIVEX_COUNT));
        EXPECT_EQ(BlockedCount(1), host.Text(IDC_ACTIVEX_BLOCKED));
        EXPECT_EQ(190, list.ColumnWidth(2));
    }
    for (int rows : {9, 10}) {
        SCOPED_TRACE(rows);
        UseNumberedDatabase(rows);
        PageHost host(RUNTIME_CLASS(CActiveXBlock));
        EXPECT_EQ(rows > 9 ? 173 : 190, host.List(IDC_ACTIVEX_LIST).ColumnWidth(2));
        if (rows == 10) Screenshot("activex-page.png");
    }
}

TEST_F(ActiveXPage, TickingBlocksAndSavesAndUntickingUnblocks) {
    UseNumberedDatabase(2);
    PageHost host(RUNTIME_CLASS(CActiveXBlock));
    pvtest::ListView list = host.List(IDC_ACTIVEX_LIST);

    list.ClickRow(1);  // selected and focused: the tick still counts
    EXPECT_TRUE(host.Visible(IDC_ACTIVEX_DELETE));
    list.Tick(1, true);
    EXPECT_TRUE(Blocked(Clsid(2)));
    EXPECT_FALSE(host.Visible(IDC_ACTIVEX_DELETE));
    EXPECT_EQ(BlockedCount(1), host.Text(IDC_ACTIVEX_BLOCKED));
    EXPECT_EQ(kadb::kCreatedKey | kadb::kCreatedValue, Saved().entries[1].origin);
    EXPECT_EQ(0, list.HeaderImage(0));

    list.Tick(0, true);  // every row ticked
    EXPECT_EQ(1, list.HeaderImage(0));
    list.Tick(1, false);
    EXPECT_FALSE(pvtest::KeyExists(HKEY_LOCAL_MACHINE, Key(Clsid(2))));
    EXPECT_TRUE(Blocked(Clsid(1)));
    EXPECT_EQ(0, list.HeaderImage(0));
    EXPECT_EQ(BlockedCount(1), host.Text(IDC_ACTIVEX_BLOCKED));
    EXPECT_EQ(0, Saved().entries[1].origin);
}

TEST_F(ActiveXPage, HeaderTickUnblocksAllThenBlocksAll) {
    for (int n = 1; n <= 3; ++n) Block(Clsid(n));
    UseNumberedDatabase(3);
    PageHost host(RUNTIME_CLASS(CActiveXBlock));
    pvtest::ListView list = host.List(IDC_ACTIVEX_LIST);
    ASSERT_EQ(1, list.HeaderImage(0));

    list.ClickHeader(0);
    for (int row = 0; row < 3; ++row) {
        EXPECT_FALSE(list.Ticked(row));
        EXPECT_FALSE(Blocked(Clsid(row + 1)));
    }
    EXPECT_EQ(0, list.HeaderImage(0));
    EXPECT_EQ(BlockedCount(0), host.Text(IDC_ACTIVEX_BLOCKED));

    list.ClickHeader(0);
    for (int row = 0; row < 3; ++row) {
        EXPECT_TRUE(list.Ticked(row));
        EXPECT_TRUE(Blocked(Clsid(row + 1)));
    }
    EXPECT_EQ(1, list.HeaderImage(0));
    EXPECT_EQ(BlockedCount(3), host.Text(IDC_ACTIVEX_BLOCKED));
}

TEST_F(ActiveXPage, TickAllOfThousandsOfControlsBlocksThemAllAndUntickAllUnblocksThem) {
    constexpr int kControls = 2000;
    UseNumberedDatabase(kControls);
    PageHost host(RUNTIME_CLASS(CActiveXBlock));
    pvtest::ListView list = host.List(IDC_ACTIVEX_LIST);
    ASSERT_EQ(kControls, list.Rows());
    for (int allTicked : {1, 0}) {  // the second click unticks: the flag was set
        list.ClickHeader(0);
        EXPECT_EQ(allTicked ? kControls : 0, list.TickedRows());
        EXPECT_EQ(allTicked, list.HeaderImage(0));
        EXPECT_EQ(BlockedCount(allTicked ? kControls : 0), host.Text(IDC_ACTIVEX_BLOCKED));
    }
}

TEST_F(ActiveXPage, SortsShareOneFlagAndTicksMoveWithTheirRows) {
    Block(Clsid(1));
    UseDatabase({{"Bravo", Clsid(1), "", 0}, {"Charlie", Clsid(3), "", 0}, {"Alpha", Clsid(2), "", 0}});
    PageHost host(RUNTIME_CLASS(CActiveXBlock));
    pvtest::ListView list = host.List(IDC_ACTIVEX_LIST);

    list.ClickHeader(1);  // descending first
    EXPECT_EQ((std::vector<std::string>{Clsid(3), Clsid(2), Clsid(1)}), Column(list, 1));
    EXPECT_EQ((std::vector<std::string>{"Charlie", "Alpha", "Bravo"}), Column(list, 2));
    EXPECT_EQ(3, list.HeaderImage(1));
    list.ClickHeader(1);
    EXPECT_EQ((std::vector<std::string>{Clsid(1), Clsid(2), Clsid(3)}), Column(list, 1));
    EXPECT_EQ(2, list.HeaderImage(1));
    list.ClickHeader(2);  // the flag is shared: descending again
    EXPECT_EQ((std::vector<std::string>{"Charlie", "Bravo", "Alpha"}), Column(list, 2));
    EXPECT_EQ(3, list.HeaderImage(2));
    EXPECT_EQ(2, list.HeaderImage(1));  // the other column keeps its arrow

    // The tick stays with Bravo's CLSID, and so does the block.
    for (int row = 0; row < 3; ++row) EXPECT_EQ(list.Cell(row, 1) == Clsid(1), list.Ticked(row)) << row;
    EXPECT_TRUE(Blocked(Clsid(1)));
    EXPECT_FALSE(Blocked(Clsid(2)));
    EXPECT_FALSE(Blocked(Clsid(3)));
    EXPECT_EQ(BlockedCount(1), host.Text(IDC_ACTIVEX_BLOCKED));
}

TEST_F(ActiveXPage, EqualNamesKeepTheOrderOfTheExchangeSort) {
    UseDatabase({{"B", Clsid(1), "", 0}, {"B", Clsid(2), "", 0}, {"A", Clsid(3), "", 0}});
    PageHost host(RUNTIME_CLASS(CActiveXBlock));
    pvtest::ListView list = host.List(IDC_ACTIVEX_LIST);
    list.ClickHeader(2);  // descending: the exchanges leave the B rows as they stand
    EXPECT_EQ((std::vector<std::string>{Clsid(1), Clsid(2), Clsid(3)}), Column(list, 1));
    list.ClickHeader(2);  // ascending: A comes first by an exchange with the first B
    EXPECT_EQ((std::vector<std::string>{Clsid(3), Clsid(2), Clsid(1)}), Column(list, 1));
}

TEST_F(ActiveXPage, AddTypesUpperCaseAndAppendsTheRow) {
    UseNumberedDatabase(1);
    MessageBoxHook boxes;
    PageHost host(RUNTIME_CLASS(CActiveXBlock));
    std::string caption, clsidShown, nameShown;
    pvtest::DialogDriver driver([&](HWND dialog) {
        caption = pvtest::WindowText(dialog);
        nameShown = pvtest::WindowText(GetDlgItem(dialog, IDC_ACTIVEX_NAME));
        pvtest::TypeText(GetDlgItem(dialog, IDC_ACTIVEX_NAME), "Spy bar");
        pvtest::TypeText(GetDlgItem(dialog, IDC_ACTIVEX_CLSID), "{0b1d7e57-0000-4000-8000-00000000000b}");
        clsidShown = pvtest::WindowText(GetDlgItem(dialog, IDC_ACTIVEX_CLSID));
        Screenshot("activex-edit-dialog.png");
        pvtest::Click(GetDlgItem(dialog, IDOK));
    });
    host.Click(IDC_ACTIVEX_ADD);
    ASSERT_TRUE(driver.ran());
    EXPECT_EQ(activex::kCaptionAdd, caption);
    EXPECT_EQ("", nameShown);
    EXPECT_EQ(Clsid(11), clsidShown);

    pvtest::ListView list = host.List(IDC_ACTIVEX_LIST);
    ASSERT_EQ(2, list.Rows());
    EXPECT_EQ(Clsid(11), list.Cell(1, 1));
    EXPECT_EQ("Spy bar", list.Cell(1, 2));
    EXPECT_FALSE(list.Ticked(1));
    EXPECT_EQ(Count(2), host.Text(IDC_ACTIVEX_COUNT));
    ASSERT_EQ(1u, boxes.seen().size());
    EXPECT_EQ(activex::kMsgAdded, boxes.seen()[0].text);
    EXPECT_EQ(activex::kBoxTitle, boxes.seen()[0].caption);
    EXPECT_EQ(LoadIcon(nullptr, IDI_EXCLAMATION), boxes.seen()[0].icon);
    const kadb::Database saved = Saved();
    ASSERT_EQ(2u, saved.entries.size());
    EXPECT_EQ("Spy bar", saved.entries[1].name);
    EXPECT_FALSE(Blocked(Clsid(11)));
}

TEST_F(ActiveXPage, TheDialogRefusesMalformedCLSIDsAndKeepsFieldsWithinTheRecord) {
    UseDatabase({});
    MessageBoxHook boxes;
    PageHost host(RUNTIME_CLASS(CActiveXBlock));
    const char* refused[] = {
        "0B1D7E57-0000-4000-8000-00000000000B",    // no braces
        "{0B1D7E57-0000-4000-8000-00000000000}",   // 35 inside
        "{0B1D7E57-0000-4000-8000-00000000000BB}", // 37 inside
        "{0B1D7E5-70000-4000-8000-00000000000B}",  // a group of the wrong length
        "{0B1D7E57-0000-4000-8000-00000000000G}",  // G
        "{0B1D7E57-0000-4000-8000-0000000000\xb0\xa1}",  // a Korean character
    };
    std::vector<bool> stayedOpen;
    std::string longName;
    pvtest::DialogDriver driver([&](HWND dialog) {
        HWND clsid = GetDlgItem(dialog, IDC_ACTIVEX_CLSID);
        for (const char* text : refused) {
            SetWindowTextA(clsid, text);
            pvtest::Click(GetDlgItem(dialog, IDOK));
            stayedOpen.push_back(IsWindowVisible(dialog) && GetFocus() == clsid);
        }
        // Korean text past the field's 39 bytes is cut at a character.
        std::string korean;
        for (int i = 0; i < 25; ++i) korean += "\xb0\xa1";
        SetWindowTextA(GetDlgItem(dialog, IDC_ACTIVEX_NAME), korean.c_str());
        longName = pvtest::WindowText(GetDlgItem(dialog, IDC_ACTIVEX_NAME));
        pvtest::Click(GetDlgItem(dialog, IDCANCEL));
    });
    host.Click(IDC_ACTIVEX_ADD);
    ASSERT_TRUE(driver.ran());
    ASSERT_EQ(std::size(refused), boxes.seen().size());
    for (size_t i = 0; i < std::size(refused); ++i) {
        SCOPED_TRACE(refused[i]);
        EXPECT_EQ(activex::kMsgBadClsid, boxes.seen()[i].text);
        EXPECT_TRUE(stayedOpen[i]);
    }
    EXPECT_EQ(38u, longName.size());
    EXPECT_EQ(0, host.List(IDC_ACTIVEX_LIST).Rows());  // cancelled
    EXPECT_EQ(Count(0), host.Text(IDC_ACTIVEX_COUNT));
}

TEST_F(ActiveXPage, EditKeepsTheTickAndStoresAnEmptyAlternate) {
    Block(Clsid(1));
    UseDatabase({{"Old name", Clsid(1), Clsid(5), 0}});
    MessageBoxHook boxes;
    PageHost host(RUNTIME_CLASS(CActiveXBlock));
    pvtest::ListView list = host.List(IDC_ACTIVEX_LIST);
    list.ClickRow(0);
    std::string caption, name, clsid, alternate;
    pvtest::DialogDriver driver([&](HWND dialog) {
        caption = pvtest::WindowText(dialog);
        name = pvtest::WindowText(GetDlgItem(dialog, IDC_ACTIVEX_NAME));
        clsid = pvtest::WindowText(GetDlgItem(dialog, IDC_ACTIVEX_CLSID));
        alternate = pvtest::WindowText(GetDlgItem(dialog, IDC_ACTIVEX_ALTERNATE));
        SetWindowTextA(GetDlgItem(dialog, IDC_ACTIVEX_NAME), "New name");
        SetWindowTextA(GetDlgItem(dialog, IDC_ACTIVEX_CLSID), Clsid(6).c_str());
        pvtest::Click(GetDlgItem(dialog, IDOK));
    });
    host.Click(IDC_ACTIVEX_EDIT);
    ASSERT_TRUE(driver.ran());
    EXPECT_EQ(activex::kCaptionEdit, caption);
    EXPECT_EQ("Old name", name);
    EXPECT_EQ(Clsid(1), clsid);
    EXPECT_EQ("", alternate);

    EXPECT_EQ(Clsid(6), list.Cell(0, 1));
    EXPECT_EQ("New name", list.Cell(0, 2));
    EXPECT_TRUE(list.Ticked(0));
    ASSERT_EQ(1u, boxes.seen().size());
    EXPECT_EQ(activex::kMsgChanged, boxes.seen()[0].text);
    const kadb::Database saved = Saved();
    ASSERT_EQ(1u, saved.entries.size());
    EXPECT_EQ("New name", saved.entries[0].name);
    EXPECT_EQ(Clsid(6), saved.entries[0].clsid);
    EXPECT_EQ("", saved.entries[0].alternateClsid);
    // The block moved with the CLSID.
    EXPECT_TRUE(Blocked(Clsid(6)));
    EXPECT_FALSE(Blocked(Clsid(1)));
}

TEST_F(ActiveXPage, EditAndDeleteWithoutASelectionAskForOne) {
    UseNumberedDatabase(2);
    MessageBoxHook boxes;
    PageHost host(RUNTIME_CLASS(CActiveXBlock));
    pvtest::DialogDriver driver([](HWND dialog) { pvtest::Click(GetDlgItem(dialog, IDCANCEL)); });
    host.Click(IDC_ACTIVEX_EDIT);
    host.Click(IDC_ACTIVEX_DELETE);
    EXPECT_FALSE(driver.ran());  // no dialog opened
    ASSERT_EQ(2u, boxes.seen().size());
    EXPECT_EQ(activex::kMsgSelectToEdit, boxes.seen()[0].text);
    EXPECT_EQ(activex::kMsgSelectToDelete, boxes.seen()[1].text);
    EXPECT_EQ(LoadIcon(nullptr, IDI_EXCLAMATION), boxes.seen()[1].icon);
    EXPECT_EQ(2, host.List(IDC_ACTIVEX_LIST).Rows());
    EXPECT_EQ(2u, Saved().entries.size());
}

TEST_F(ActiveXPage, DeletingACheckedRowUnblocksItAndLowersBothCounts) {
    UseNumberedDatabase(3);
    MessageBoxHook boxes({IDNO, IDYES, IDOK});
    PageHost host(RUNTIME_CLASS(CActiveXBlock));
    pvtest::ListView list = host.List(IDC_ACTIVEX_LIST);
    list.Tick(1, true);
    ASSERT_TRUE(Blocked(Clsid(2)));
    list.ClickRow(1);

    host.Click(IDC_ACTIVEX_DELETE);  // answered No
    EXPECT_EQ(3, list.Rows());
    EXPECT_TRUE(Blocked(Clsid(2)));
    host.Click(IDC_ACTIVEX_DELETE);  // answered Yes
    ASSERT_EQ(3u, boxes.seen().size());
    EXPECT_EQ(activex::kAskDelete, boxes.seen()[1].text);
    EXPECT_EQ(LoadIcon(nullptr, IDI_QUESTION), boxes.seen()[1].icon);
    EXPECT_EQ(activex::kMsgDeleted, boxes.seen()[2].text);

    EXPECT_FALSE(pvtest::KeyExists(HKEY_LOCAL_MACHINE, Key(Clsid(2))));
    EXPECT_EQ((std::vector<std::string>{Clsid(1), Clsid(3)}), Column(list, 1));
    EXPECT_EQ(Count(2), host.Text(IDC_ACTIVEX_COUNT));
    EXPECT_EQ(BlockedCount(0), host.Text(IDC_ACTIVEX_BLOCKED));
    ASSERT_EQ(2u, Saved().entries.size());
    EXPECT_EQ(Clsid(3), Saved().entries[1].clsid);
}

TEST_F(ActiveXPage, AFailedDeleteKeepsTheRowAndItsBlock) {
    UseNumberedDatabase(2);
    MessageBoxHook boxes({IDYES, IDOK});
    PageHost host(RUNTIME_CLASS(CActiveXBlock));
    pvtest::ListView list = host.List(IDC_ACTIVEX_LIST);
    list.Tick(0, true);
    // The record goes from the library behind the page's back.
    auto del = reinterpret_cast<ActivexBlockDBDelFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA(KORDON_DLL), "ActivexBlockDBDel")));
    ASSERT_NE(nullptr, del);
    ActiveXBlockRecord record = {};
    strcpy(record.clsid, Clsid(1).c_str());
    ASSERT_EQ(1, del(&record));

    list.ClickRow(0);
    host.Click(IDC_ACTIVEX_DELETE);
    ASSERT_EQ(2u, boxes.seen().size());
    EXPECT_EQ(activex::kMsgDeleteFailed, boxes.seen()[1].text);
    EXPECT_EQ(2, list.Rows());
    EXPECT_TRUE(list.Ticked(0));
    EXPECT_TRUE(Blocked(Clsid(1)));
    EXPECT_EQ(Count(2), host.Text(IDC_ACTIVEX_COUNT));

    list.Tick(1, true);  // ticks still reach the library
    EXPECT_TRUE(Blocked(Clsid(2)));
}

TEST_F(ActiveXPage, MissingDatabaseIsReportedAndTheFirstAddCreatesIt) {
    MessageBoxHook boxes({IDOK});
    PageHost host(RUNTIME_CLASS(CActiveXBlock));
    ASSERT_EQ(1u, boxes.seen().size());
    EXPECT_EQ(activex::kMsgDatabaseFailed, boxes.seen()[0].text);
    EXPECT_EQ(0, host.List(IDC_ACTIVEX_LIST).Rows());
    pvtest::DialogDriver driver([](HWND dialog) {
        SetWindowTextA(GetDlgItem(dialog, IDC_ACTIVEX_NAME), "Spy bar");
        SetWindowTextA(GetDlgItem(dialog, IDC_ACTIVEX_CLSID), Clsid(7).c_str());
        pvtest::Click(GetDlgItem(dialog, IDOK));
    });
    host.Click(IDC_ACTIVEX_ADD);
    ASSERT_EQ(1u, Saved().entries.size());
    EXPECT_EQ(Clsid(7), Saved().entries[0].clsid);
}

TEST_F(ActiveXPage, WithoutTheLibraryNothingReachesIt) {
    UseNumberedDatabase(2);
    MessageBoxHook boxes({IDOK});
    {
        PageHost host(RUNTIME_CLASS(CNoKordonPage));
        ASSERT_EQ(1u, boxes.seen().size());
        EXPECT_EQ(activex::kMsgLibraryMissing, boxes.seen()[0].text);
        EXPECT_EQ(activex::kBoxTitle, boxes.seen()[0].caption);
        pvtest::ListView list = host.List(IDC_ACTIVEX_LIST);
        EXPECT_EQ(0, list.Rows());
        EXPECT_EQ(Count(0), host.Text(IDC_ACTIVEX_COUNT));
        EXPECT_EQ(BlockedCount(0), host.Text(IDC_ACTIVEX_BLOCKED));
        EXPECT_FALSE(host.Enabled(IDC_ACTIVEX_ADD));
        EXPECT_FALSE(host.Enabled(IDC_ACTIVEX_EDIT));

        pvtest::DialogDriver driver([](HWND dialog) { pvtest::Click(GetDlgItem(dialog, IDCANCEL)); });
        for (int id : {IDC_ACTIVEX_ADD, IDC_ACTIVEX_EDIT, IDC_ACTIVEX_DELETE})
            SendMessageA(host.page(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
        list.ClickHeader(0);
        list.ClickHeader(1);
        pvtest::PumpPending();
        EXPECT_FALSE(driver.ran());
        EXPECT_EQ(1u, boxes.seen().size());
    }
    // The library was never loaded, and the database is untouched.
    EXPECT_EQ(nullptr, GetModuleHandleA(KORDON_DLL));
    EXPECT_EQ(2u, Saved().entries.size());
}

TEST_F(ActiveXPage, ThePageFreesTheLibraryWhenDestroyed) {
    UseNumberedDatabase(1);
    MessageBoxHook boxes;
    {
        PageHost host(RUNTIME_CLASS(CActiveXBlock));
        EXPECT_NE(nullptr, GetModuleHandleA(KORDON_DLL));
    }
    EXPECT_EQ(nullptr, GetModuleHandleA(KORDON_DLL));
    EXPECT_TRUE(boxes.seen().empty());  // unloaded without a failure
}

}  // namespace
