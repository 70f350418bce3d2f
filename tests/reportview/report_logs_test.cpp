// The scan logs as files: head.txt cut into columns, the start of a file
// read as text, the folder listing, saving a report and deleting a log.
#include <gtest/gtest.h>

#include <algorithm>

#include "base/unique_handle.h"
#include "reportview/report_logs.h"
#include "tests/support/sandbox.h"

namespace {

struct HeadCase {
    const char* text;
    const char* date;
    const char* kind;
    const char* title;
    const char* status;
};

}  // namespace

TEST(ReportLogs, HeadTextIsCutAtItsFirstThreeLineBreaks) {
    const HeadCase cases[] = {
        // As the scan page writes it, for a pass that ended and one that never did.
        {"2004-10-03 09:05\r\n애드웨어 검사\r\n로컬하드 디스크\r\n완  료", "2004-10-03 09:05", "애드웨어 검사",
         "로컬하드 디스크", "완  료"},
        {"2004-10-03 09:05\r\n애드웨어 검사\r\n로컬하드 디스크\r\n", "2004-10-03 09:05", "애드웨어 검사",
         "로컬하드 디스크", ""},
        // More than three lines: the rest, line breaks included.
        {"a\r\nb\r\nc\r\n취  소\r\nd\r\n", "a", "b", "c", "취  소\r\nd\r\n"},
        // Fewer than three line breaks: what there is, the rest empty.
        {"a\r\nb\r\nc", "a", "b", "c", ""},
        {"a\r\nb", "a", "b", "", ""},
        {"only one line", "only one line", "", "", ""},
        {"", "", "", "", ""},
        // A bare line feed is no line break.
        {"a\nb\r\nc", "a\nb", "c", "", ""},
    };
    for (const HeadCase& c : cases) {
        SCOPED_TRACE(c.text);
        const reports::HeadColumns columns = reports::SplitHead(c.text);
        EXPECT_EQ(columns.date, c.date);
        EXPECT_EQ(columns.kind, c.kind);
        EXPECT_EQ(columns.title, c.title);
        EXPECT_EQ(columns.status, c.status);
    }
}

TEST(ReportLogs, TextStartStopsAtTheLimitAndAtTheFirstZeroByte) {
    pvtest::TempFolder folder("reportlogs");
    const std::string path = folder / "report.txt";
    std::string text;

    ASSERT_TRUE(pvtest::WriteBytes(path, std::string(1500, 'x')));
    ASSERT_TRUE(reports::ReadTextStart(path, reports::kReportBytes, &text));
    EXPECT_EQ(text, std::string(1000, 'x'));

    ASSERT_TRUE(pvtest::WriteBytes(path, std::string("head", 4) + std::string(1, '\0') + "tail"));
    ASSERT_TRUE(reports::ReadTextStart(path, reports::kReportBytes, &text));
    EXPECT_EQ(text, "head");

    ASSERT_TRUE(pvtest::WriteBytes(path, ""));
    ASSERT_TRUE(reports::ReadTextStart(path, reports::kReportBytes, &text));
    EXPECT_EQ(text, "");

    text = "old";
    EXPECT_FALSE(reports::ReadTextStart(folder / "missing.txt", reports::kReportBytes, &text));
    EXPECT_EQ(text, "");
}

TEST(ReportLogs, SubfoldersAreListedWholeWithoutFilesOrDotEntries) {
    pvtest::TempFolder folder("reportlogs");
    const std::string longName = "00000004-a-folder-name-far-past-eleven-characters";
    ASSERT_TRUE(pvtest::MakeFolders(folder / "00000000"));
    ASSERT_TRUE(pvtest::MakeFolders(folder / longName));
    ASSERT_TRUE(pvtest::WriteBytes(folder / "00000001", "a plain file"));

    std::vector<std::string> names = reports::FindSubfolders(folder / "*.*");
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"00000000", longName}));
    EXPECT_TRUE(reports::FindSubfolders(folder / "missing\\*.*").empty());
}

TEST(ReportLogs, SaveWritesEveryByteOrClaimsNothing) {
    pvtest::TempFolder folder("reportlogs");
    const std::string path = folder / "보고서.txt";
    const std::string bytes = std::string("\xB0\xA1 text\r\n", 8) + std::string(1, '\xB0');  // ends in half a character
    ASSERT_TRUE(reports::SaveTextFile(path, bytes));
    EXPECT_EQ(pvtest::ReadBytes(path), bytes);
    ASSERT_TRUE(reports::SaveTextFile(path, "short"));
    EXPECT_EQ(pvtest::ReadBytes(path), "short");  // truncated, not overwritten in place

    // A file another program holds open cannot be replaced; it keeps its bytes.
    base::UniqueFile held(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    EXPECT_FALSE(reports::SaveTextFile(path, bytes));
    held.reset();
    EXPECT_EQ(pvtest::ReadBytes(path), "short");

    EXPECT_FALSE(reports::SaveTextFile(folder / "no such folder\\report.txt", bytes));
    EXPECT_FALSE(reports::SaveTextFile(folder.path(), bytes));  // a folder is no file
}

TEST(ReportLogs, RemovingALogFolderNeverEntersALinkInIt) {
    pvtest::TempFolder folder("reportlogs");
    const std::string log = folder / "00000000", target = folder / "elsewhere";
    ASSERT_TRUE(pvtest::MakeFolders(log + "\\sub"));
    ASSERT_TRUE(pvtest::WriteBytes(log + "\\report.txt", "report"));
    ASSERT_TRUE(pvtest::MakeFolders(target));
    ASSERT_TRUE(pvtest::WriteBytes(target + "\\keep.txt", "keep"));
    ASSERT_TRUE(pvtest::MakeFolderLink(log + "\\link", target));

    // Everything else in the log goes; the target is never touched. Wine
    // cannot remove a folder link, so there the link and with it the log
    // stay, and the removal says it failed.
    EXPECT_FALSE(reports::RemoveLogFolder(log));
    EXPECT_EQ(pvtest::ReadBytes(target + "\\keep.txt"), "keep");
    EXPECT_FALSE(pvtest::FileExists(log + "\\report.txt"));
    EXPECT_FALSE(pvtest::FolderExists(log + "\\sub"));
    EXPECT_TRUE(pvtest::IsLink(log + "\\link"));
    EXPECT_TRUE(pvtest::FolderExists(log));
}

TEST(ReportLogs, RemovingAFolderThatIsGoneSucceedsAndAHeldOneFails) {
    pvtest::TempFolder folder("reportlogs");
    EXPECT_TRUE(reports::RemoveLogFolder(folder / "00000009"));

    const std::string log = folder / "00000000";
    ASSERT_TRUE(pvtest::MakeFolders(log));
    ASSERT_TRUE(pvtest::WriteBytes(log + "\\report.txt", "report"));
    base::UniqueFile held(
        CreateFileA((log + "\\report.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    EXPECT_FALSE(reports::RemoveLogFolder(log));
    EXPECT_TRUE(pvtest::FileExists(log + "\\report.txt"));
    held.reset();
    EXPECT_TRUE(reports::RemoveLogFolder(log));
    EXPECT_FALSE(pvtest::FolderExists(log));
}
