// The log folder numbering and the byte layout of head.txt and report.txt.
#include "app/cure/scan_log.h"

#include <gtest/gtest.h>

#include "tests/cure/test_data.h"
#include "tests/support/sandbox.h"

namespace {

using pvtest::FileExists;
using pvtest::FolderExists;
using pvtest::ReadBytes;
using pvtest::TempFolder;

SYSTEMTIME TimeOf(int year, int month, int day, int hour, int minute) {
    SYSTEMTIME t = {};
    t.wYear = static_cast<WORD>(year);
    t.wMonth = static_cast<WORD>(month);
    t.wDay = static_cast<WORD>(day);
    t.wHour = static_cast<WORD>(hour);
    t.wMinute = static_cast<WORD>(minute);
    t.wSecond = 59;
    return t;
}

TEST(LogFolderNumbering, FirstPassCreatesRootAndFolderZero) {
    TempFolder sandbox;
    const std::string root = sandbox / "PurvexLog";
    bool rootExists = true;
    EXPECT_EQ(cure::NextPassNumber(root, &rootExists), 0);
    EXPECT_FALSE(rootExists);
    EXPECT_EQ(cure::CreatePassFolder(root), root + "\\00000000");
    EXPECT_TRUE(FolderExists(root + "\\00000000"));
}

TEST(LogFolderNumbering, EmptyRootStartsAtOne) {
    TempFolder sandbox;
    const std::string root = sandbox / "PurvexLog";
    ASSERT_TRUE(CreateDirectoryA(root.c_str(), nullptr));
    bool rootExists = false;
    EXPECT_EQ(cure::NextPassNumber(root, &rootExists), 1);
    EXPECT_TRUE(rootExists);
    EXPECT_EQ(cure::CreatePassFolder(root), root + "\\00000001");
}

TEST(LogFolderNumbering, EightFoldersGiveTheNinth) {
    TempFolder sandbox;
    const std::string root = sandbox / "PurvexLog";
    ASSERT_TRUE(CreateDirectoryA(root.c_str(), nullptr));
    for (int i = 0; i <= 7; ++i) {
        char name[16];
        snprintf(name, sizeof name, "\\%08d", i);
        ASSERT_TRUE(CreateDirectoryA((root + name).c_str(), nullptr));
    }
    EXPECT_EQ(cure::CreatePassFolder(root), root + "\\00000008");
}

// The listing order is the file system's: names that sort after the highest
// number (a stray folder, a file) must not decide the next number.
TEST(LogFolderNumbering, HighestNumberWinsWhateverTheListingOrder) {
    TempFolder sandbox;
    const std::string root = sandbox / "PurvexLog";
    ASSERT_TRUE(CreateDirectoryA(root.c_str(), nullptr));
    for (const char* name : {"00000003", "00000011", "00000002", "backup", "0000005x"})
        ASSERT_TRUE(CreateDirectoryA((root + "\\" + name).c_str(), nullptr));
    ASSERT_TRUE(pvtest::WriteBytes(root + "\\99999998", "not a folder"));
    EXPECT_EQ(cure::NextPassNumber(root), 12);
    EXPECT_EQ(cure::CreatePassFolder(root), root + "\\00000012");
}

// A file that holds the chosen name is never touched: the next free number
// is taken instead.
TEST(LogFolderNumbering, TakenNameIsSkippedNotOverwritten) {
    TempFolder sandbox;
    const std::string root = sandbox / "PurvexLog";
    ASSERT_TRUE(CreateDirectoryA(root.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA((root + "\\00000004").c_str(), nullptr));
    ASSERT_TRUE(pvtest::WriteBytes(root + "\\00000005", "keep me"));
    EXPECT_EQ(cure::CreatePassFolder(root), root + "\\00000006");
    EXPECT_EQ(ReadBytes(root + "\\00000005"), "keep me");
}

TEST(LogFolderNumbering, RootThatCannotBeCreatedGivesNoFolder) {
    TempFolder sandbox;
    const std::string root = sandbox / "missing\\PurvexLog";
    EXPECT_EQ(cure::CreatePassFolder(root), "");
    EXPECT_FALSE(FolderExists(root));
}

TEST(HeadFile, StartLinesThenCompletedWithoutLineEnd) {
    TempFolder sandbox;
    ASSERT_TRUE(cure::WriteHeadStart(sandbox.path(), TimeOf(2004, 10, 3, 9, 5)));
    EXPECT_EQ(ReadBytes(sandbox / "head.txt"),
              "2004-10-03 09:05\r\n" "애드웨어 검사\r\n" "로컬하드 디스크\r\n");
    ASSERT_TRUE(cure::AppendHeadEnd(sandbox.path(), true));
    EXPECT_EQ(ReadBytes(sandbox / "head.txt"),
              "2004-10-03 09:05\r\n" "애드웨어 검사\r\n" "로컬하드 디스크\r\n" "완  료");
}

TEST(HeadFile, CancelledEndAndRewriteOnNewStart) {
    TempFolder sandbox;
    ASSERT_TRUE(cure::WriteHeadStart(sandbox.path(), TimeOf(2026, 1, 2, 23, 59)));
    ASSERT_TRUE(cure::AppendHeadEnd(sandbox.path(), false));
    const std::string head = ReadBytes(sandbox / "head.txt");
    ASSERT_GE(head.size(), 6u);
    EXPECT_EQ(head.substr(head.size() - 6), "취  소");
    ASSERT_TRUE(cure::WriteHeadStart(sandbox.path(), TimeOf(2026, 1, 3, 0, 0)));
    EXPECT_EQ(ReadBytes(sandbox / "head.txt"),
              "2026-01-03 00:00\r\n" "애드웨어 검사\r\n" "로컬하드 디스크\r\n");
}

// The whole report of a completed pass with two cure tables, against a file
// written in code page 949 with CRLF line ends.
TEST(ReportFile, CompletedPassWithCureTablesMatchesExpectedBytes) {
    TempFolder sandbox;
    const std::string folder = sandbox.path();
    ASSERT_TRUE(cure::WriteReportHeading(folder, TimeOf(2004, 10, 3, 9, 5), 29));
    ASSERT_TRUE(cure::AppendReportSummary(folder, 3, 17));
    ASSERT_TRUE(cure::AppendReportCompleted(folder, TimeOf(2004, 10, 3, 9, 7)));
    {
        cure::CureTableWriter table(folder);
        ASSERT_TRUE(table.is_open());
        table.AppendRow("PlantA", "5", "완 료");
        table.AppendRow("한글애드웨어", "12", "실 패");
    }
    {
        cure::CureTableWriter table(folder);
        table.AppendRow("AVeryLongAdwareNameOverTwentyFive", "1", "완 료");
    }
    const std::string expected = cure_test::ReadTestData("report_completed.txt");
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(ReadBytes(sandbox / "report.txt"), expected);
}

TEST(ReportFile, CancelledPassHasBlankLineAndCancelledEnd) {
    TempFolder sandbox;
    ASSERT_TRUE(cure::WriteReportHeading(sandbox.path(), TimeOf(2004, 10, 3, 9, 5), 0));
    ASSERT_TRUE(cure::AppendReportCancelled(sandbox.path(), TimeOf(2004, 10, 3, 10, 0)));
    EXPECT_EQ(ReadBytes(sandbox / "report.txt"),
              "Purvex로 애드웨어 검사..\r\n\r\n"
              "애드웨어 DB : 0\r\n"
              "검사 시작시간 : 2004-10-03 09:05\r\n\r\n"
              "\r\n"
              "검사 종료시간 : 2004-10-03 10:00->검사가 취소되었습니다.\r\n");
}

TEST(ReportFile, CureTableWithoutLoggedPassWritesNothing) {
    TempFolder sandbox;
    cure::CureTableWriter none("");
    EXPECT_FALSE(none.is_open());
    none.AppendRow("x", "1", "완 료");  // harmless
    cure::CureTableWriter missing(sandbox / "00000000");
    EXPECT_FALSE(missing.is_open());
    EXPECT_FALSE(FileExists(sandbox / "00000000\\report.txt"));
}

TEST(ReportFile, WritersWithoutFolderFailQuietly) {
    SYSTEMTIME t = TimeOf(2004, 10, 3, 9, 5);
    EXPECT_FALSE(cure::WriteHeadStart("", t));
    EXPECT_FALSE(cure::WriteReportHeading("", t, 1));
    EXPECT_FALSE(cure::AppendReportSummary("", 0, 0));
    EXPECT_FALSE(cure::AppendHeadEnd("", true));
}

}  // namespace
