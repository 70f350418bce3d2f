// A logged pass whose cure kept a backup: its report offers 복원, and
// deleting the log, which takes the backup with it, asks first.
#include "tests/reportview/report_page_fixture.h"

#include "backup/keeper.h"
#include "backup/restore_texts.h"
#include "tests/support/window_driver.h"

using report_test::Head;
using report_test::ReportPage;

namespace {

// Log 00000001 holds a backup as a cure leaves it: one kept file and its list.
class LogWithBackup : public ReportPage {
protected:
    LogWithBackup() {
        MakeLog("00000000", Head("2004-10-01 09:05").c_str());
        const std::string kept = MakeLog("00000001", Head("2004-10-02 09:05").c_str()) + "\\backup";
        EXPECT_TRUE(pvtest::WriteBytes(trace_, "trace"));
        backup::Keeper keeper(kept);
        base::HeldItem held = base::HoldPath(trace_.c_str());
        EXPECT_TRUE(keeper.KeepFileOrFolder(held, false, "Sample"));
        OpenPage();
    }
    const std::string trace_ = SandboxPath("trace.dll");
};

}  // namespace

TEST_F(LogWithBackup, ItsReportOffersTheRestoreWhichPutsTheFileBack) {
    EXPECT_FALSE(RestoreFromReport(0, {}).restoreShown) << "a log without a backup";
    const report_test::ShownReport shown = RestoreFromReport(1, {IDYES, IDOK});
    ASSERT_TRUE(shown.restoreShown);
    ASSERT_EQ(shown.boxes.size(), 2u);
    EXPECT_EQ(shown.boxes[0].caption, "복원");
    EXPECT_EQ(shown.boxes[0].text, backup::kMsgRestoreQuestion);
    EXPECT_EQ(shown.boxes[1].text, "복원이 완료되었습니다.\r\n\r\n복원된 항목 : 1 개");
    EXPECT_EQ(pvtest::ReadBytes(trace_), "trace");
    EXPECT_FALSE(RestoreFromReport(1, {}).restoreShown) << "nothing is left to put back";
}

TEST_F(LogWithBackup, ABackupChangedSinceTheCureIsRefusedAndSaysSo) {
    const std::string kept = LogPath("00000001\\backup");
    ASSERT_TRUE(pvtest::WriteBytes(kept + "\\0001_trace.dll.bak", "changed"));
    const report_test::ShownReport shown = RestoreFromReport(1, {IDYES, IDOK});
    ASSERT_EQ(shown.boxes.size(), 2u);
    EXPECT_EQ(shown.boxes[1].text, backup::kMsgRestoreRefused);
    EXPECT_EQ(shown.boxes[1].icon, LoadIcon(nullptr, IDI_HAND));
    EXPECT_FALSE(pvtest::Exists(trace_));
}

TEST_F(LogWithBackup, DeletingItAsksFirstAndNoKeepsIt) {
    for (int row : {0, 1}) List().Tick(row, true);
    pvtest::MessageBoxHook no({IDNO});
    page_->Click(IDC_REPORT_DELETE);
    ASSERT_EQ(no.seen().size(), 1u);
    EXPECT_EQ(no.seen()[0].text, reports::kMsgDeleteBackupQuestion);
    EXPECT_EQ(no.seen()[0].icon, LoadIcon(nullptr, IDI_QUESTION));
    EXPECT_EQ(List().Rows(), 2);
    pvtest::MessageBoxHook yes({IDYES, IDOK});
    page_->Click(IDC_REPORT_DELETE);
    ASSERT_EQ(yes.seen().size(), 2u);
    EXPECT_EQ(yes.seen()[1].text, reports::kMsgDeleted);
    EXPECT_FALSE(pvtest::Exists(LogPath("00000001")));
}
