// The scan logs as files: head.txt cut into columns and the start of a file
// read as text. Listing, saving and deleting are tested through the page.
#include <gtest/gtest.h>

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
    ASSERT_TRUE(pvtest::WriteBytes(path, std::string("head\0tail", 9)));
    ASSERT_TRUE(reports::ReadTextStart(path, reports::kReportBytes, &text));
    EXPECT_EQ(text, "head");
    EXPECT_FALSE(reports::ReadTextStart(folder / "missing.txt", reports::kReportBytes, &text));
    EXPECT_EQ(text, "");
}
