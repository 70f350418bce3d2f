// The report dialog "보 고 서": the text it shows and saving it through the
// system's save dialog.
#include "tests/reportview/report_page_fixture.h"

#include "base/unique_handle.h"
#include "tests/support/window_driver.h"

using report_test::Head;
using report_test::ReportPage;

namespace {

// 1500 bytes whose 1000th is the first byte of a two-byte character.
std::string LongReport() {
    std::string text = "Purvex로 애드웨어 검사..\r\n\r\n";
    while (text.size() < 999) text += 'x';
    text.resize(999);
    while (text.size() < 1500) text += "가";
    return text;
}

class ReportDialog : public ReportPage {
protected:
    ReportDialog() : report_(LongReport()) {
        MakeLog("00000000", Head("2004-10-01 09:05").c_str(), report_.c_str());
        MakeLog("00000001", Head("2004-10-02 09:05").c_str(), nullptr);  // no report.txt
        OpenPage();
        start_ = CurrentDirectory();
    }
    std::string Cut() const { return report_.substr(0, 1000); }

    std::string report_;
    std::string start_;
};

HICON Icon(LPCSTR id) { return LoadIcon(nullptr, id); }

}  // namespace

TEST_F(ReportDialog, ShowsTheFirstThousandBytesOfTheReport) {
    const report_test::ShownReport shown = OpenReport(0);
    ASSERT_TRUE(shown.shown);
    // The edit field shows whole characters: the cut-off lead byte is not one.
    EXPECT_EQ(shown.text.substr(0, 999), report_.substr(0, 999));
    EXPECT_LE(shown.text.size(), 1000u);
}

TEST_F(ReportDialog, ShowsThePathOfAReportThatCannotBeOpened) {
    EXPECT_EQ(OpenReport(1).text, ".\\PurvexLog\\00000001\\report.txt");
}

TEST_F(ReportDialog, DoubleClickBelowTheRowsOpensTheRowSelectedLast) {
    EXPECT_FALSE(OpenReport(-1).shown);  // no row selected yet
    List().Select(1);
    EXPECT_EQ(OpenReport(-1).text, ".\\PurvexLog\\00000001\\report.txt");
}

TEST_F(ReportDialog, SavesUnderAKoreanNameWithTxtAddedAndTheDirectoryBack) {
    const std::string target = SandboxPath("보고서 사본");
    const report_test::ShownReport shown = SaveReport(0, {target}, {IDOK});
    EXPECT_EQ(pvtest::ReadBytes(target + ".txt"), Cut());  // every byte, the split character's half included
    EXPECT_FALSE(pvtest::FileExists(target));
    ASSERT_EQ(shown.boxes.size(), 1u);
    EXPECT_EQ(shown.boxes[0].text, reports::kMsgSaved);
    EXPECT_EQ(shown.boxes[0].caption, "Purvex");
    EXPECT_EQ(shown.boxes[0].icon, Icon(IDI_EXCLAMATION));
    EXPECT_EQ(CurrentDirectory(), start_);
}

TEST_F(ReportDialog, SaveKeepsAnExtensionTheUserTyped) {
    const std::string target = SandboxPath("copy.log");
    SaveReport(0, {target}, {IDOK});
    EXPECT_EQ(pvtest::ReadBytes(target), Cut());
    EXPECT_FALSE(pvtest::FileExists(target + ".txt"));
    EXPECT_EQ(CurrentDirectory(), start_);
}

TEST_F(ReportDialog, SaveInAnotherFolderSetsTheDirectoryBackAndTheListWorks) {
    const std::string other = SandboxPath("다른 폴더");
    ASSERT_TRUE(pvtest::MakeFolders(other));
    SaveReport(0, {other, "saved"}, {IDOK});
    EXPECT_EQ(pvtest::ReadBytes(other + "\\saved.txt"), Cut());
    EXPECT_EQ(CurrentDirectory(), start_);
    EXPECT_EQ(OpenReport(1).text, ".\\PurvexLog\\00000001\\report.txt");
}

TEST_F(ReportDialog, CancelAfterBrowsingElsewhereSetsTheDirectoryBack) {
    const std::string other = SandboxPath("elsewhere");
    ASSERT_TRUE(pvtest::MakeFolders(other));
    const report_test::ShownReport shown = SaveReport(0, {other});
    EXPECT_EQ(directoryWhileSaving, other);  // the save dialog did move it
    EXPECT_EQ(CurrentDirectory(), start_);
    EXPECT_TRUE(shown.boxes.empty());
    EXPECT_EQ(OpenReport(0).text.substr(0, 999), report_.substr(0, 999));
}

TEST_F(ReportDialog, ANameWhoseTxtFileExistsIsNotReplacedWithoutAsking) {
    const std::string target = SandboxPath("old");
    ASSERT_TRUE(pvtest::WriteBytes(target + ".txt", "keep me"));
    const report_test::ShownReport shown = SaveReport(0, {target}, {IDNO});
    ASSERT_EQ(shown.boxes.size(), 1u);  // the save dialog's own question, answered No
    EXPECT_EQ(pvtest::ReadBytes(target + ".txt"), "keep me");
    EXPECT_EQ(CurrentDirectory(), start_);
}

TEST_F(ReportDialog, AFileThatCannotBeWrittenIsReportedAndNotClaimedSaved) {
    const std::string target = SandboxPath("held.txt");
    ASSERT_TRUE(pvtest::WriteBytes(target, "held"));
    base::UniqueFile held(CreateFileA(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    const report_test::ShownReport shown = SaveReport(0, {target}, {IDYES, IDOK});
    ASSERT_EQ(shown.boxes.size(), 2u);  // replace it? yes; then the failure
    EXPECT_EQ(shown.boxes[1].text, reports::kMsgSaveFailed);
    EXPECT_EQ(shown.boxes[1].caption, "Purvex");
    EXPECT_EQ(shown.boxes[1].icon, Icon(IDI_HAND));
    held.reset();
    EXPECT_EQ(pvtest::ReadBytes(target), "held");
    EXPECT_EQ(CurrentDirectory(), start_);
}
