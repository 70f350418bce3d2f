// The scan and cure page on a virtual display, driven by window messages,
// against the real engine, the real registry and real files.
#include <gtest/gtest.h>

#include <regex>

#include "app/cure/cure_view.h"
#include "app/cure/browser_defaults.h"
#include "app/cure/cure_texts.h"
#include "app/cure/restart_log.h"
#include "app/cure/restart_windows.h"
#include "backup/manifest.h"
#include "backup/restore_texts.h"
#include "base/program_markers.h"
#include "base/restart_schedule.h"
#include "base/unique_handle.h"
#include "tests/cure/cure_page_host.h"
#include "tests/support/browser_keys_sandbox.h"
#include "tests/support/registry_sandbox.h"
#include "tests/support/version_key_sandbox.h"
#include "tests/cure/test_data.h"
#include "tests/support/test_database.h"
#include "tests/support/sandbox.h"
#include "tests/support/message_box_hook.h"
#include "tests/support/restart_sandbox.h"

namespace {

using pvtest::FileExists;
using pvtest::FolderExists;
using pvtest::KeyBackup;
using pvtest::KeyExists;
using cure_test::PageHost;
using pvtest::ReadBytes;
using pvtest::ReadValue;
using pvtest::MakeRecord;
using pvtest::MessageBoxHook;

constexpr char kTestKey[] = "Software\\PurvexCureTest";
using pvtest::kIeMain;
using pvtest::kIeSearch;

std::string Sz(const std::string& text) { return text + '\0'; }
// The file held open as a program holds the file it runs from: it can be
// neither deleted nor moved.
base::UniqueFile InUse(const std::string& path) {
    return base::UniqueFile(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
}
// A subkey of the test key.
std::string Sub(const std::string& subkey) { return std::string(kTestKey) + "\\" + subkey; }

// The page's restart of Windows, which a test only counts.
int restartsAsked = 0;
bool CountRestart() {
    ++restartsAsked;
    return true;
}

// Traces on a drive of the test's own (its root a temporary folder, where the
// cure's pending folder goes too), in a folder that Everyone may change
// unless safe: an item in use there is never left for the next start.
struct LockedTraces {
    explicit LockedTraces(char letter, bool safe = false) : drive(letter, root.path()) {
        EXPECT_TRUE(drive.ok() && CreateDirectoryA(folder.c_str(), nullptr) &&
                    (safe || pvtest::LetEveryoneChange(folder)));
    }
    std::string operator/(const std::string& name) const { return folder + "\\" + name; }
    pvtest::TempFolder root;
    pvtest::MappedDrive drive;
    const std::string folder = drive.root() + "traces";
};

// Each test works in a sandbox folder that is the current directory (the
// page's Purvex.adb and PurvexLog live there), a trace folder, a test key
// under HKCU, and saved copies of the version key and the browser keys.
class CurePage : public ::testing::Test {
protected:
    CurePage()
        : testKey_(HKEY_CURRENT_USER, kTestKey, KeyBackup::kDelete),
          version_(pvtest::VersionKeySandbox::kEnsured) {
        restartsAsked = 0;
        cure::ReplaceRestartForTests(CountRestart);
        // As the first start writes it: no terminator.
        pvtest::SetValue(HKEY_LOCAL_MACHINE, cure::kVersionKeyPath, "StartPage", "about:blank");
        pvtest::SetValue(HKEY_LOCAL_MACHINE, kIeMain, "Start Page", Sz("before"));
        pvtest::SetValue(HKEY_CURRENT_USER, kIeMain, "Start Page", Sz("before"));
        pvtest::SetValue(HKEY_CURRENT_USER, kIeMain, "Local Page", Sz("before"));
        UseDatabase({});  // tests that scan write their own
    }

    ~CurePage() override { cure::ReplaceRestartForTests(nullptr); }

    void UseDatabase(const std::vector<adb::Record>& records) {
        ASSERT_TRUE(pvtest::WriteDatabase(sandbox_ / "Purvex.adb", records));
    }
    std::string Trace(const std::string& name) const { return traces_ / name; }
    void PlantFile(const std::string& path) { ASSERT_TRUE(pvtest::WriteBytes(path, "trace")); }
    void PlantKey(const std::string& subkey, const char* value = "v") {
        ASSERT_TRUE(pvtest::SetValue(HKEY_CURRENT_USER, std::string(kTestKey) + "\\" + subkey, value,
                                        Sz("trace")));
    }
    std::string Log(const std::string& name) const { return sandbox_ / ("PurvexLog\\" + name); }

    pvtest::TempFolder sandbox_;
    pvtest::TempFolder traces_;
    pvtest::CurrentFolder inSandbox_{sandbox_.path()};
    KeyBackup testKey_;
    pvtest::VersionKeySandbox version_;
    pvtest::BrowserKeysSandbox browserKeys_;
};

// ---------------------------------------------------------------------------
// The whole road

TEST_F(CurePage, EndToEndScanTickCureRemovesTracesAndResetsBrowser) {
    PlantFile(Trace("a.dll"));
    ASSERT_TRUE(CreateDirectoryA(Trace("Sub").c_str(), nullptr));
    PlantFile(Trace("Sub\\inner.txt"));
    PlantKey("Key1\\Child");
    PlantKey("Vals", "Val1");
    UseDatabase({
        MakeRecord(11, "CureTestFiles", {pvtest::FileItem(traces_.path(), "a.dll"),
                                     pvtest::FolderItem(Trace("Sub")),
                                     pvtest::FileItem(traces_.path(), "missing.dll")}),
        MakeRecord(12, "CureTestAbsent", {pvtest::FileItem(traces_.path(), "none.dll")}),
        MakeRecord(13, "CureTestKeys", {pvtest::UserKeyItem(Sub("Key1")),
                                    pvtest::UserValueItem(Sub("Vals"), "Val1"),
                                    pvtest::UserKeyItem(Sub("NoKey"))}),
    });
    MessageBoxHook hook({IDOK, IDOK});
    PageHost page;
    EXPECT_TRUE(page.Visible(IDC_CURE_DB_GROUP));
    EXPECT_FALSE(page.Visible(IDC_CURE_LIST));
    EXPECT_FALSE(page.Visible(IDC_CURE_CURE));
    EXPECT_EQ(page.Text(IDC_CURE_DB_VERSION), "DB 업데이트   :    2004.10.03.a");
    EXPECT_EQ(page.Text(IDC_CURE_START), "검사시작");

    page.RunPass();
    ASSERT_EQ(page.Rows(), 2);
    EXPECT_EQ(page.Cell(0, 1), "CureTestFiles");
    EXPECT_EQ(page.Cell(0, 2), "2");
    EXPECT_EQ(page.Cell(1, 1), "CureTestKeys");
    EXPECT_EQ(page.Cell(1, 2), "2");
    EXPECT_TRUE(page.RowTicked(0));
    EXPECT_TRUE(page.RowTicked(1));
    EXPECT_EQ(page.Text(IDC_CURE_FOUND), "발견된 애드웨어 : 2");
    EXPECT_EQ(page.Text(IDC_CURE_TOTAL), "전체갯수 : 4");
    EXPECT_EQ(page.Text(IDC_CURE_TARGET), "검사완료");
    EXPECT_EQ(page.Text(IDC_CURE_START), "초기화면");
    EXPECT_TRUE(page.Visible(IDC_CURE_CURE));
    EXPECT_TRUE(page.Visible(IDC_CURE_LIST));
    EXPECT_TRUE(hook.seen().empty());

    page.Click(IDC_CURE_CURE);
    ASSERT_EQ(hook.seen().size(), 2u);
    EXPECT_EQ(hook.seen()[0].caption, "치  료");
    EXPECT_EQ(hook.seen()[0].text, cure::kMsgCureWarning);
    EXPECT_EQ(hook.seen()[0].icon, LoadIcon(nullptr, IDI_EXCLAMATION));
    EXPECT_EQ(hook.seen()[1].caption, "Purvex");
    EXPECT_EQ(hook.seen()[1].text, "치료가 완료되었습니다.");
    EXPECT_EQ(hook.seen()[1].icon, nullptr);
    EXPECT_EQ(page.Cell(0, 3), "완 료");
    EXPECT_EQ(page.Cell(1, 3), "완 료");
    EXPECT_FALSE(page.Visible(IDC_CURE_CURE));

    EXPECT_FALSE(FileExists(Trace("a.dll")));
    EXPECT_FALSE(FolderExists(Trace("Sub")));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, Sub("Key1")));
    EXPECT_FALSE(ReadValue(HKEY_CURRENT_USER, Sub("Vals"), "Val1").present);

    EXPECT_EQ(ReadValue(HKEY_LOCAL_MACHINE, kIeMain, "Start Page").data, Sz(cure::kBrowserRedirectStart));
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, kIeMain, "Local Page").data, Sz("C:\\WINDOWS\\system32\\blank.htm"));
    EXPECT_EQ(ReadValue(HKEY_LOCAL_MACHINE, kIeSearch, "SearchAssistant").data,
              Sz(cure::kBrowserSearchAssistant));
    // The remembered start page went to the browser at the end of the pass
    // and of the cure, and to the version key at the end of the pass.
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, kIeMain, "Start Page").data, Sz("about:blank"));
    EXPECT_EQ(ReadValue(HKEY_LOCAL_MACHINE, cure::kVersionKeyPath, "StartPage").data, Sz("about:blank"));
}

TEST_F(CurePage, CureWhereEveryRepairFailsShowsFailedRowsAndNoCompletion) {
    const LockedTraces locked('O');
    PlantFile(locked / "locked1.dll");
    PlantFile(locked / "locked2.dll");
    const base::UniqueFile inUse1 = InUse(locked / "locked1.dll"), inUse2 = InUse(locked / "locked2.dll");
    UseDatabase({MakeRecord(21, "Locked1", {pvtest::FileItem(locked.folder, "locked1.dll")}),
                 MakeRecord(22, "Locked2", {pvtest::FileItem(locked.folder, "locked2.dll")})});
    MessageBoxHook hook({IDOK});
    PageHost page;
    page.RunPass();
    ASSERT_EQ(page.Rows(), 2);
    page.Click(IDC_CURE_CURE);
    ASSERT_EQ(hook.seen().size(), 1u) << "the warning only, no completion message";
    EXPECT_EQ(hook.seen()[0].caption, "치  료");
    EXPECT_EQ(page.Cell(0, 3), "실 패");
    EXPECT_EQ(page.Cell(1, 3), "실 패");
    EXPECT_TRUE(FileExists(locked / "locked1.dll"));
    EXPECT_TRUE(FileExists(locked / "locked2.dll"));
    EXPECT_FALSE(base::IsRemovalPending(locked / "locked1.dll")) << "below a folder others may change";
    // The browser is reset whatever was cured.
    EXPECT_EQ(ReadValue(HKEY_LOCAL_MACHINE, kIeMain, "Start Page").data, Sz(cure::kBrowserRedirectStart));
    EXPECT_FALSE(page.Visible(IDC_CURE_CURE));
}

TEST_F(CurePage, CancelledWarningChangesNothing) {
    PlantFile(Trace("a.dll"));
    UseDatabase({MakeRecord(31, "One", {pvtest::FileItem(traces_.path(), "a.dll")})});
    MessageBoxHook hook({IDCANCEL});
    PageHost page;
    page.RunPass();
    page.Click(IDC_CURE_CURE);
    ASSERT_EQ(hook.seen().size(), 1u);
    EXPECT_TRUE(FileExists(Trace("a.dll")));
    EXPECT_EQ(page.Cell(0, 3), "");
    EXPECT_TRUE(page.Visible(IDC_CURE_CURE));
    EXPECT_EQ(ReadValue(HKEY_LOCAL_MACHINE, kIeMain, "Start Page").data, Sz("before"));
}

// One scan or cure at a time on the machine: while another program holds it
// (PurvexScan.exe), the page starts neither; it holds it only while it works.
TEST_F(CurePage, AnotherProgramsScanOrCureKeepsPassAndCureFromStarting) {
    PlantFile(Trace("a.dll"));
    UseDatabase({MakeRecord(31, "One", {pvtest::FileItem(traces_.path(), "a.dll")})});
    MessageBoxHook hook({IDOK, IDOK});
    PageHost page;
    {
        const base::ProgramMarker other = base::ProgramMarker::Claim(base::kWorkMarker);
        page.Click(IDC_CURE_START);
        EXPECT_TRUE(page.Visible(IDC_CURE_DB_GROUP)) << "still the initial screen";
    }
    page.RunPass();
    ASSERT_EQ(page.Rows(), 1);
    const base::ProgramMarker other = base::ProgramMarker::Claim(base::kWorkMarker);
    ASSERT_TRUE(other.held()) << "the page let go when its pass ended";
    page.Click(IDC_CURE_CURE);
    ASSERT_EQ(hook.seen().size(), 3u) << "refused, the cure's warning, refused";
    EXPECT_EQ(hook.seen()[0].text, cure::kMsgOtherWork);
    EXPECT_EQ(hook.seen()[2].text, cure::kMsgOtherWork);
    EXPECT_TRUE(FileExists(Trace("a.dll")));
}

// ---------------------------------------------------------------------------
// Passes that find nothing

TEST_F(CurePage, NothingFoundShowsMessageZeroCountersAndNoCureButton) {
    UseDatabase({MakeRecord(41, "Absent1", {pvtest::FileItem(traces_.path(), "x.dll")}),
                 MakeRecord(42, "Absent2", {pvtest::UserKeyItem(Sub("Nothing"))})});
    MessageBoxHook hook;
    PageHost page;
    page.RunPass();
    ASSERT_EQ(hook.seen().size(), 1u);
    EXPECT_EQ(hook.seen()[0].caption, "Purvex");
    EXPECT_EQ(hook.seen()[0].text, "애드웨어가 발견되지 않았습니다.");
    EXPECT_EQ(hook.seen()[0].icon, LoadIcon(nullptr, IDI_EXCLAMATION));
    EXPECT_EQ(page.Rows(), 0);
    EXPECT_EQ(page.Text(IDC_CURE_FOUND), "발견된 애드웨어 : 0");
    EXPECT_EQ(page.Text(IDC_CURE_TOTAL), "전체갯수 : 0");
    EXPECT_EQ(page.Text(IDC_CURE_TARGET), "검사완료");
    EXPECT_FALSE(page.Visible(IDC_CURE_CURE));
}

TEST_F(CurePage, DatabaseOfZeroRecordsEndsCleanly) {
    UseDatabase({});
    MessageBoxHook hook;
    PageHost page;
    page.RunPass();
    ASSERT_EQ(hook.seen().size(), 1u);
    EXPECT_EQ(hook.seen()[0].text, "애드웨어가 발견되지 않았습니다.");
    // The 100 ms progress timer moves the bar to its end.
    EXPECT_TRUE(pvtest::PumpUntil(
        [&] { return SendMessageA(page.control(IDC_CURE_PROGRESS), PBM_GETPOS, 0, 0) == 100; }, 2000));
    EXPECT_EQ(page.Text(IDC_CURE_FOUND), "발견된 애드웨어 : 0");
}

// The database line and the log heading name the records the engine loaded.
TEST_F(CurePage, DatabaseLineAndLogHeadingShowTheLoadedRecordCount) {
    for (int records : {0, 3}) {
        SCOPED_TRACE(records);
        std::vector<adb::Record> database;
        for (int i = 0; i < records; ++i)
            database.push_back(MakeRecord(90 + i, "Absent", {pvtest::FileItem(traces_.path(), "none.dll")}));
        UseDatabase(database);
        MessageBoxHook hook;
        PageHost page;
        auto* view = static_cast<CCureView*>(CWnd::FromHandlePermanent(page.page()));
        ASSERT_NE(view, nullptr);
        EXPECT_EQ(std::string(view->RecordNumberText()), " :  " + std::to_string(records));
        page.ClickPage(380, 300);  // the blue line turns logging on
        page.RunPass();
        const std::string report = ReadBytes(Log(records == 0 ? "00000000\\report.txt" : "00000001\\report.txt"));
        EXPECT_NE(report.find("애드웨어 DB : " + std::to_string(records) + "\r\n"), std::string::npos) << report;
    }
}

TEST_F(CurePage, MissingDatabaseIsReportedAndThePassFindsNothing) {
    ASSERT_TRUE(DeleteFileA((sandbox_ / "Purvex.adb").c_str()));
    MessageBoxHook hook;
    PageHost page;
    ASSERT_GE(hook.seen().size(), 1u);
    EXPECT_EQ(hook.seen()[0].caption, "Purvex");
    EXPECT_EQ(hook.seen()[0].text, "Purvex.adb파일을 로드하지 못하였습니다.");
    EXPECT_EQ(hook.seen()[0].icon, LoadIcon(nullptr, IDI_EXCLAMATION));
    page.RunPass();
    EXPECT_EQ(hook.seen().back().text, "애드웨어가 발견되지 않았습니다.");
}

// ---------------------------------------------------------------------------
// Passes, rows and ticks

TEST_F(CurePage, SecondPassListsAndCuresOnlyItsOwnEntries) {
    PlantFile(Trace("a.dll"));
    PlantFile(Trace("b.dll"));
    UseDatabase({MakeRecord(51, "PassA", {pvtest::FileItem(traces_.path(), "a.dll")}),
                 MakeRecord(52, "PassB", {pvtest::FileItem(traces_.path(), "b.dll")})});
    MessageBoxHook hook({IDOK, IDOK});
    PageHost page;
    page.RunPass();
    ASSERT_EQ(page.Rows(), 2);
    page.Click(IDC_CURE_START);  // 초기화면
    EXPECT_TRUE(page.Visible(IDC_CURE_DB_GROUP));
    EXPECT_EQ(page.Text(IDC_CURE_START), "검사시작");
    ASSERT_TRUE(DeleteFileA(Trace("a.dll").c_str()));

    page.RunPass();
    ASSERT_EQ(page.Rows(), 1);
    EXPECT_EQ(page.Cell(0, 1), "PassB");
    EXPECT_EQ(page.Text(IDC_CURE_FOUND), "발견된 애드웨어 : 1");
    EXPECT_EQ(page.Text(IDC_CURE_TOTAL), "전체갯수 : 1");
    PlantFile(Trace("a.dll"));
    page.Click(IDC_CURE_CURE);
    EXPECT_EQ(page.Cell(0, 3), "완 료");
    EXPECT_FALSE(FileExists(Trace("b.dll")));
    EXPECT_TRUE(FileExists(Trace("a.dll"))) << "the first pass's entry is not cured";
}

TEST_F(CurePage, TickAllHeaderTicksAllThenUnticksAll) {
    PlantFile(Trace("a.dll"));
    PlantFile(Trace("b.dll"));
    UseDatabase({MakeRecord(61, "TickA", {pvtest::FileItem(traces_.path(), "a.dll")}),
                 MakeRecord(62, "TickB", {pvtest::FileItem(traces_.path(), "b.dll")})});
    MessageBoxHook hook;
    PageHost page;
    page.RunPass();
    ASSERT_EQ(page.Rows(), 2);
    EXPECT_EQ(page.HeaderImage(), 0);
    page.TickRow(0, false);

    page.ClickHeaderColumn0();
    EXPECT_TRUE(page.RowTicked(0));
    EXPECT_TRUE(page.RowTicked(1));
    EXPECT_EQ(page.HeaderImage(), 1);

    page.ClickHeaderColumn0();
    EXPECT_FALSE(page.RowTicked(0));
    EXPECT_FALSE(page.RowTicked(1));
    EXPECT_EQ(page.HeaderImage(), 0);

    // Curing with nothing ticked asks for a selection and changes nothing.
    page.Click(IDC_CURE_CURE);
    ASSERT_EQ(hook.seen().size(), 1u);
    EXPECT_EQ(hook.seen()[0].caption, "Purvex");
    EXPECT_EQ(hook.seen()[0].text, "치료할 애드웨어를 선택하지 않으셨습니다.");
    EXPECT_TRUE(FileExists(Trace("a.dll")));
    EXPECT_TRUE(FileExists(Trace("b.dll")));
    EXPECT_TRUE(page.Visible(IDC_CURE_CURE));
}

// ---------------------------------------------------------------------------
// Stopping a pass

constexpr int kStopRecords = 40;

class StopHook {
public:
    // On the page's first found-row step, clicks 1004: sent (inside that
    // step, so the worker is certainly mid-pass) or posted.
    StopHook(HWND page, bool sendClick) : page_(page), send_(sendClick) {
        current_ = this;
        hook_ = SetWindowsHookExA(WH_CALLWNDPROC, Proc, nullptr, GetCurrentThreadId());
    }
    ~StopHook() {
        UnhookWindowsHookEx(hook_);
        current_ = nullptr;
    }
    bool clicked() const { return clicked_; }

private:
    static LRESULT CALLBACK Proc(int code, WPARAM wParam, LPARAM lParam) {
        const CWPSTRUCT* msg = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (code == HC_ACTION && current_ && !current_->clicked_ && msg->hwnd == current_->page_ &&
            msg->message == CCureView::WM_CURE_FOUND) {
            current_->clicked_ = true;
            HWND button = GetDlgItem(current_->page_, IDC_CURE_START);
            if (current_->send_)
                SendMessageA(button, BM_CLICK, 0, 0);
            else
                PostMessageA(button, BM_CLICK, 0, 0);
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }

    static StopHook* current_;
    HWND page_;
    bool send_;
    bool clicked_ = false;
    HHOOK hook_ = nullptr;
};
StopHook* StopHook::current_ = nullptr;

std::vector<adb::Record> StopDatabase() {
    std::vector<adb::Record> records;
    for (int i = 0; i < kStopRecords; ++i) {
        const std::string key = "Stop\\" + std::to_string(i);
        records.push_back(MakeRecord(100 + i, "Stop" + std::to_string(i), {pvtest::UserKeyItem(Sub(key))}));
    }
    return records;
}

TEST_F(CurePage, StopAnsweredNoLetsThePassFinishWithTheSameRows) {
    for (int i = 0; i < kStopRecords; ++i) PlantKey("Stop\\" + std::to_string(i));
    UseDatabase(StopDatabase());
    MessageBoxHook hook({IDNO});
    PageHost page;
    {
        StopHook stop(page.page(), true);
        page.RunPass();
        EXPECT_TRUE(stop.clicked());
    }
    ASSERT_EQ(hook.seen().size(), 1u);
    EXPECT_EQ(hook.seen()[0].caption, "검사중지");
    EXPECT_EQ(hook.seen()[0].text, "검사를 중단하시겠습니까?");
    EXPECT_EQ(hook.seen()[0].icon, LoadIcon(nullptr, IDI_QUESTION));
    EXPECT_EQ(page.Text(IDC_CURE_START), "초기화면");
    ASSERT_EQ(page.Rows(), kStopRecords);
    for (int i = 0; i < kStopRecords; ++i) EXPECT_EQ(page.Cell(i, 1), "Stop" + std::to_string(i));
    EXPECT_EQ(page.Text(IDC_CURE_FOUND), "발견된 애드웨어 : 40");

    // The same database without the question gives the same rows.
    page.Click(IDC_CURE_START);
    page.RunPass();
    ASSERT_EQ(page.Rows(), kStopRecords);
    for (int i = 0; i < kStopRecords; ++i) EXPECT_EQ(page.Cell(i, 1), "Stop" + std::to_string(i));
}

TEST_F(CurePage, StopAnsweredYesReturnsToInitialScreenAndLogsTheCancel) {
    for (int i = 0; i < kStopRecords; ++i) PlantKey("Stop\\" + std::to_string(i));
    UseDatabase(StopDatabase());
    MessageBoxHook hook({IDYES});
    PageHost page;
    page.Click(IDC_CURE_SAVELOG);
    {
        StopHook stop(page.page(), false);
        page.RunPass();
        EXPECT_TRUE(stop.clicked());
    }
    ASSERT_EQ(hook.seen().size(), 1u);
    EXPECT_EQ(hook.seen()[0].text, "검사를 중단하시겠습니까?");
    EXPECT_TRUE(page.Visible(IDC_CURE_DB_GROUP));
    EXPECT_FALSE(page.Visible(IDC_CURE_LIST));
    EXPECT_FALSE(page.Visible(IDC_CURE_CURE));
    EXPECT_EQ(page.Text(IDC_CURE_START), "검사시작");
    const int rowsAtStop = page.Rows();
    EXPECT_LT(rowsAtStop, kStopRecords);

    const std::string head = ReadBytes(Log("00000000\\head.txt"));
    ASSERT_GE(head.size(), 6u);
    EXPECT_EQ(head.substr(head.size() - 6), "취  소");
    EXPECT_EQ(head.find("완  료"), std::string::npos);
    const std::string report = ReadBytes(Log("00000000\\report.txt"));
    EXPECT_EQ(report.rfind("Purvex로 애드웨어 검사..\r\n\r\n", 0), 0u);
    EXPECT_TRUE(std::regex_search(report, std::regex("\r\n\r\n검사 종료시간 : \\d{4}-\\d{2}-\\d{2} "
                                                     "\\d{2}:\\d{2}->검사가 취소되었습니다\\.\r\n$")))
        << report;
    EXPECT_EQ(report.find("검사가 완료되었습니다"), std::string::npos);

    // The worker has ended before the initial screen came back: nothing of
    // it arrives later.
    page.PumpPending();
    EXPECT_EQ(page.Rows(), rowsAtStop);
    EXPECT_EQ(ReadBytes(Log("00000000\\report.txt")), report);

    // The page works on: a new pass runs through.
    page.RunPass();
    EXPECT_EQ(page.Rows(), kStopRecords);
}

// ---------------------------------------------------------------------------
// Scan logs

std::string MaskTimes(const std::string& text) {
    return std::regex_replace(text, std::regex("\\d{4}-\\d{2}-\\d{2} \\d{2}( : |:)\\d{2}"),
                              "YYYY-MM-DD hh$1mm");
}

TEST_F(CurePage, LoggedPassesGetNumberedFolders) {
    UseDatabase({MakeRecord(71, "Absent", {pvtest::FileItem(traces_.path(), "x.dll")})});
    MessageBoxHook hook;
    PageHost page;
    page.Click(IDC_CURE_SAVELOG);
    page.RunPass();
    EXPECT_EQ(MaskTimes(ReadBytes(Log("00000000\\head.txt"))),
              "YYYY-MM-DD hh:mm\r\n애드웨어 검사\r\n로컬하드 디스크\r\n완  료");
    page.Click(IDC_CURE_START);
    page.RunPass();
    EXPECT_TRUE(FileExists(Log("00000001\\head.txt")));
    EXPECT_TRUE(FileExists(Log("00000001\\report.txt")));
    // Logging off: no new folder.
    page.Click(IDC_CURE_START);
    page.Click(IDC_CURE_SAVELOG);
    page.RunPass();
    EXPECT_FALSE(FolderExists(Log("00000002")));
}

TEST_F(CurePage, ReportOfLoggedPassWithCureTableMatchesExpectedBytes) {
    PlantFile(Trace("k1.dll"));
    PlantFile(Trace("k2.dll"));
    const LockedTraces locked('O');
    PlantFile(locked / "ro.dll");
    const base::UniqueFile inUse = InUse(locked / "ro.dll");
    UseDatabase({MakeRecord(81, "한글애드웨어", {pvtest::FileItem(traces_.path(), "k1.dll"),
                                           pvtest::FileItem(traces_.path(), "k2.dll")}),
                 MakeRecord(82, "Absent", {pvtest::FileItem(traces_.path(), "none.dll")}),
                 MakeRecord(83, "PlantB", {pvtest::FileItem(locked.folder, "ro.dll")})});
    MessageBoxHook hook({IDOK, IDOK});
    PageHost page;
    page.ClickPage(380, 300);  // the blue line turns logging on
    EXPECT_TRUE(page.Checked(IDC_CURE_SAVELOG));
    page.RunPass();
    page.Click(IDC_CURE_CURE);
    const std::string expected = cure_test::ReadTestData("report_page.txt");
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(MaskTimes(ReadBytes(Log("00000000\\report.txt"))), expected);
}

// A file held open without sharing: no copy can be kept, so the cure asks;
// then the row, the report and the restart question tell that it goes at the
// next start of Windows (wineboot), and the next start of the program writes
// into the report that it went.
TEST_F(CurePage, AFileInUseIsLeftForTheRestartAndTheNextStartLogsItsOutcome) {
    pvtest::RestartSandbox restart;
    const LockedTraces traces('P', true);
    PlantFile(traces / "ad.dll");
    base::UniqueFile held(CreateFileA((traces / "ad.dll").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    UseDatabase({MakeRecord(85, "Busy", {pvtest::FileItem(traces.folder, "ad.dll")})});
    MessageBoxHook hook({IDOK, IDYES, IDYES});
    PageHost page;
    page.Click(IDC_CURE_SAVELOG);
    page.RunPass();
    page.Click(IDC_CURE_CURE);
    ASSERT_EQ(hook.seen().size(), 3u);
    EXPECT_EQ(hook.seen()[1].text, cure::kMsgUnkeptQuestion);
    EXPECT_EQ(hook.seen()[2].text, "일부 항목은 컴퓨터를 다시 시작해야 삭제됩니다. 지금 다시 시작하시겠습니까?");
    EXPECT_EQ(hook.seen()[2].icon, LoadIcon(nullptr, IDI_QUESTION));
    EXPECT_EQ(restartsAsked, 1);
    EXPECT_EQ(page.Cell(0, 3), "재부팅 후 삭제");
    const std::string report = ReadBytes(Log("00000000\\report.txt"));
    EXPECT_NE(report.find("Busy\t\t1\t\t재부팅 후 삭제\r\n"), std::string::npos);
    EXPECT_NE(report.find("   재부팅 후 삭제 : " + (traces / "ad.dll") + " (Busy) - 백업 없음\r\n"), std::string::npos);
    EXPECT_EQ(cure::CheckRestartLists(sandbox_ / "PurvexLog", {}), 0) << "Windows has not started again yet";

    held.reset();
    ASSERT_TRUE(restart.Restart());
    EXPECT_FALSE(FileExists(traces / "ad.dll"));
    EXPECT_EQ(cure::CheckRestartLists(sandbox_ / "PurvexLog", {2004, 10, 0, 4, 9, 5}), 1);
    EXPECT_EQ(ReadBytes(Log("00000000\\report.txt")),
              report + "\r\n재부팅 후 확인 : 2004-10-04 09:05\r\n   재부팅 후 삭제됨 : " + (traces / "ad.dll") +
                  " (Busy)\r\n");
    EXPECT_EQ(cure::CheckRestartLists(sandbox_ / "PurvexLog", {}), 0) << "checked once";
}

// ---------------------------------------------------------------------------
// Backup and restore

TEST_F(CurePage, RestoreAfterACurePutsBackWhatItRemovedAndTheBrowserSettings) {
    PlantFile(Trace("a.dll"));
    PlantKey("Key1\\Child");
    UseDatabase({MakeRecord(91, "Restorable", {pvtest::FileItem(traces_.path(), "a.dll"),
                                               pvtest::UserKeyItem(Sub("Key1"))})});
    MessageBoxHook hook({IDOK, IDOK, IDYES, IDOK});
    PageHost page;
    page.Click(IDC_CURE_SAVELOG);
    page.RunPass();
    EXPECT_FALSE(page.Visible(IDC_CURE_RESTORE));
    page.Click(IDC_CURE_CURE);
    EXPECT_FALSE(FileExists(Trace("a.dll")));
    EXPECT_TRUE(backup::HoldsBackup(Log("00000000\\backup"))) << "a logged pass keeps it in its log folder";
    ASSERT_TRUE(page.Visible(IDC_CURE_RESTORE));
    EXPECT_EQ(page.Text(IDC_CURE_RESTORE), "복원");

    page.Click(IDC_CURE_RESTORE);
    ASSERT_EQ(hook.seen().size(), 4u);
    EXPECT_EQ(hook.seen()[2].caption, "복원");
    EXPECT_EQ(hook.seen()[2].text, backup::kMsgRestoreQuestion);
    EXPECT_EQ(hook.seen()[2].icon, LoadIcon(nullptr, IDI_QUESTION));
    EXPECT_EQ(hook.seen()[3].caption, "Purvex");
    EXPECT_EQ(hook.seen()[3].text, "복원이 완료되었습니다.\r\n\r\n복원된 항목 : 2 개");
    EXPECT_EQ(ReadBytes(Trace("a.dll")), "trace");
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, Sub("Key1\\Child")));
    EXPECT_EQ(ReadValue(HKEY_LOCAL_MACHINE, kIeMain, "Start Page").data, Sz("before"));
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, kIeMain, "Local Page").data, Sz("before"));
    EXPECT_FALSE(page.Visible(IDC_CURE_RESTORE));
    EXPECT_FALSE(FolderExists(Log("00000000\\backup")));
}

TEST_F(CurePage, ABackupRootThatIsALinkKeepsNothingAndTheCureAsksFirst) {
    PlantFile(Trace("a.dll"));
    UseDatabase({MakeRecord(92, "Linked", {pvtest::FileItem(traces_.path(), "a.dll")})});
    pvtest::TempFolder elsewhere;
    ASSERT_TRUE(pvtest::MakeFolderLink(sandbox_ / "PurvexBackup", elsewhere.path()));
    MessageBoxHook hook({IDOK, IDNO});
    PageHost page;
    page.RunPass();
    page.Click(IDC_CURE_CURE);
    ASSERT_EQ(hook.seen().size(), 2u);
    EXPECT_EQ(hook.seen()[1].text, cure::kMsgNoBackupQuestion);
    EXPECT_EQ(ReadBytes(Trace("a.dll")), "trace") << "no cure without the user's yes";
    EXPECT_FALSE(pvtest::Exists(elsewhere / "00000001")) << "nothing made through the link";
    pvtest::RemoveFolderLink(sandbox_ / "PurvexBackup");
}

// ---------------------------------------------------------------------------
// Start page

const int kPresetIds[] = {IDC_CURE_PRESET_MAKER, IDC_CURE_PRESET_DAUM, IDC_CURE_PRESET_GOOGLE,
                          IDC_CURE_PRESET_YAHOO, IDC_CURE_PRESET_NAVER, IDC_CURE_PRESET_BLANK};

int CheckedPreset(const PageHost& page) {
    for (int i = 0; i < 6; ++i)
        if (page.Checked(kPresetIds[i])) return i;
    return -1;
}

bool ReadOnly(const PageHost& page) {
    return (GetWindowLongA(page.control(IDC_CURE_ADDRESS), GWL_STYLE) & ES_READONLY) != 0;
}

TEST_F(CurePage, StoredPresetAddressSelectsItsButton) {
    pvtest::SetValue(HKEY_LOCAL_MACHINE, cure::kVersionKeyPath, "StartPage", Sz("www.daum.net"));
    MessageBoxHook hook;
    PageHost page;
    EXPECT_EQ(page.Text(IDC_CURE_ADDRESS), "www.daum.net");
    EXPECT_EQ(CheckedPreset(page), 1);
    EXPECT_TRUE(page.Checked(IDC_CURE_STARTPAGE));
}

TEST_F(CurePage, StoredAddressMatchingNoPresetKeepsTheChoice) {
    pvtest::SetValue(HKEY_LOCAL_MACHINE, cure::kVersionKeyPath, "StartPage", Sz("www.example.org"));
    MessageBoxHook hook;
    PageHost page;
    EXPECT_EQ(page.Text(IDC_CURE_ADDRESS), "www.example.org");
    EXPECT_EQ(CheckedPreset(page), -1);
}

TEST_F(CurePage, StartPageTickBoxEmptiesAndRefillsTheAddress) {
    pvtest::SetValue(HKEY_LOCAL_MACHINE, cure::kVersionKeyPath, "StartPage", Sz("www.naver.com"));
    MessageBoxHook hook;
    PageHost page;
    EXPECT_EQ(CheckedPreset(page), 4);

    page.Click(IDC_CURE_STARTPAGE);
    EXPECT_FALSE(page.Checked(IDC_CURE_STARTPAGE));
    EXPECT_EQ(page.Text(IDC_CURE_ADDRESS), "");
    EXPECT_TRUE(ReadOnly(page));
    EXPECT_FALSE(page.Visible(IDC_CURE_APPLY));
    EXPECT_EQ(CheckedPreset(page), -1);
    for (int id : kPresetIds) EXPECT_FALSE(IsWindowEnabled(page.control(id)));

    page.Click(IDC_CURE_STARTPAGE);
    EXPECT_TRUE(page.Checked(IDC_CURE_STARTPAGE));
    EXPECT_EQ(page.Text(IDC_CURE_ADDRESS), "about:blank");
    EXPECT_FALSE(ReadOnly(page));
    EXPECT_TRUE(page.Visible(IDC_CURE_APPLY));
    EXPECT_EQ(CheckedPreset(page), 5);
    for (int id : kPresetIds) EXPECT_TRUE(IsWindowEnabled(page.control(id)));
}

TEST_F(CurePage, RedLineClickActsAsTheTickBox) {
    MessageBoxHook hook;
    PageHost page;
    page.ClickPage(200, 188);
    EXPECT_FALSE(page.Checked(IDC_CURE_STARTPAGE));
    EXPECT_EQ(page.Text(IDC_CURE_ADDRESS), "");
    page.ClickPage(200, 188);
    EXPECT_TRUE(page.Checked(IDC_CURE_STARTPAGE));
    EXPECT_EQ(page.Text(IDC_CURE_ADDRESS), "about:blank");
}

TEST_F(CurePage, PresetsPutTheirHostsIntoTheAddress) {
    MessageBoxHook hook;
    PageHost page;
    for (int i = 0; i < 6; ++i) {
        page.Click(kPresetIds[i]);
        EXPECT_EQ(page.Text(IDC_CURE_ADDRESS), cure::kPresetAddresses[i]);
        EXPECT_EQ(CheckedPreset(page), i);
    }
    EXPECT_EQ(page.Text(IDC_CURE_ADDRESS), "about:blank");
}

TEST_F(CurePage, FocusOnTheAddressClearsAddressAndChoice) {
    MessageBoxHook hook;
    PageHost page;
    page.Click(IDC_CURE_PRESET_GOOGLE);
    EXPECT_EQ(page.Text(IDC_CURE_ADDRESS), "www.google.co.kr");
    page.Focus(IDC_CURE_ADDRESS);
    EXPECT_EQ(page.Text(IDC_CURE_ADDRESS), "");
    EXPECT_EQ(CheckedPreset(page), -1);
}

TEST_F(CurePage, ApplyWithEmptyAddressWritesBlankPageToBothPlaces) {
    pvtest::SetValue(HKEY_LOCAL_MACHINE, cure::kVersionKeyPath, "StartPage", Sz("www.naver.com"));
    MessageBoxHook hook;
    PageHost page;
    page.Focus(IDC_CURE_ADDRESS);
    ASSERT_EQ(page.Text(IDC_CURE_ADDRESS), "");
    page.Click(IDC_CURE_APPLY);
    ASSERT_EQ(hook.seen().size(), 1u);
    EXPECT_EQ(hook.seen()[0].caption, "Purvex");
    EXPECT_EQ(hook.seen()[0].text, "시작페이지가 변경 되었습니다.");
    EXPECT_EQ(hook.seen()[0].icon, LoadIcon(nullptr, IDI_EXCLAMATION));
    EXPECT_EQ(ReadValue(HKEY_LOCAL_MACHINE, cure::kVersionKeyPath, "StartPage").data, Sz("about:blank"));
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, kIeMain, "Start Page").data, Sz("about:blank"));
}

TEST_F(CurePage, ApplyWritesTheTypedAddress) {
    MessageBoxHook hook;
    PageHost page;
    page.Focus(IDC_CURE_ADDRESS);
    SetWindowTextA(page.control(IDC_CURE_ADDRESS), "www.example.org");
    page.Click(IDC_CURE_APPLY);
    EXPECT_EQ(ReadValue(HKEY_LOCAL_MACHINE, cure::kVersionKeyPath, "StartPage").data, Sz("www.example.org"));
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, kIeMain, "Start Page").data, Sz("www.example.org"));
}

TEST_F(CurePage, UntickedStartPageIsNotAppliedAtPassEnd) {
    UseDatabase({MakeRecord(91, "Absent", {pvtest::FileItem(traces_.path(), "x.dll")})});
    pvtest::SetValue(HKEY_LOCAL_MACHINE, cure::kVersionKeyPath, "StartPage", Sz("www.naver.com"));
    MessageBoxHook hook;
    PageHost page;
    page.Click(IDC_CURE_STARTPAGE);
    page.RunPass();
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, kIeMain, "Start Page").data, Sz("before"));
    EXPECT_EQ(ReadValue(HKEY_LOCAL_MACHINE, cure::kVersionKeyPath, "StartPage").data, Sz("www.naver.com"));
    // Back on the initial screen the box is ticked again.
    page.Click(IDC_CURE_START);
    EXPECT_TRUE(page.Checked(IDC_CURE_STARTPAGE));
}

}  // namespace
