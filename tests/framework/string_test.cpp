// CString: formatting, slicing, buffers, and code page 949 text kept intact.
#include <gtest/gtest.h>
#include "framework/afxwin.h"
#include "resource.h"
#include <cstring>

TEST(CStringTest, TestsRunInCodePage949) {
    ASSERT_EQ(949u, ::GetACP());
}

TEST(CStringTest, FormatUsesRuntimeRulesAndKeepsKoreanBytes) {
    CString s;
    s.Format("%s:%05d:%I64d:%x", "가나", 42, static_cast<long long>(1) << 40, 255);
    // "가" is B0 A1 and "나" is B3 AA in code page 949.
    EXPECT_STREQ("\xB0\xA1\xB3\xAA:00042:1099511627776:ff", static_cast<LPCTSTR>(s));
    EXPECT_EQ(27, s.GetLength());
    CString longer;
    longer.Format("%s%s", std::string(3000, 'x').c_str(), "끝");
    EXPECT_EQ(3002, longer.GetLength());
}

TEST(CStringTest, FindSkipsTrailBytesOfTwoByteCharacters) {
    // 0x81 0x41 is one character whose trail byte is the letter 'A'.
    CString s("\x81" "A" "A" "\x81" "a");
    EXPECT_EQ(2, s.Find('A'));
    EXPECT_EQ(2, s.Find("A"));
    EXPECT_EQ(-1, s.Find('a'));
    EXPECT_EQ(2, s.ReverseFind('A'));
    EXPECT_EQ(0, s.Find("\x81" "A"));
    EXPECT_EQ(-1, s.Find("A\x81", 3));
    EXPECT_EQ(0, s.Find(""));
}

TEST(CStringTest, CaseChangesLeaveTrailBytesAlone) {
    CString s("ab\x81" "a" "Cd");
    s.MakeUpper();
    EXPECT_STREQ("AB\x81" "a" "CD", static_cast<LPCTSTR>(s));
    s.MakeLower();
    EXPECT_STREQ("ab\x81" "a" "cd", static_cast<LPCTSTR>(s));
    EXPECT_EQ(0, CString("PurVex.DLL").CompareNoCase("purvex.dll"));
    EXPECT_LT(CString("abc").CompareNoCase("ABD"), 0);
    EXPECT_GT(CString("b").Compare("a"), 0);
    EXPECT_NE(0, CString("A").Compare("a"));
}

TEST(CStringTest, SlicesClampOutOfRangeCounts) {
    CString s("hello");
    EXPECT_STREQ("he", static_cast<LPCTSTR>(s.Left(2)));
    EXPECT_STREQ("hello", static_cast<LPCTSTR>(s.Left(99)));
    EXPECT_STREQ("", static_cast<LPCTSTR>(s.Left(-1)));
    EXPECT_STREQ("llo", static_cast<LPCTSTR>(s.Mid(2)));
    EXPECT_STREQ("l", static_cast<LPCTSTR>(s.Mid(3, 1)));
    EXPECT_STREQ("", static_cast<LPCTSTR>(s.Mid(9, 2)));
    EXPECT_STREQ("lo", static_cast<LPCTSTR>(s.Right(2)));
    EXPECT_STREQ("hello", static_cast<LPCTSTR>(s.Right(50)));
}

TEST(CStringTest, OperatorsAndEditing) {
    CString a("가");
    CString b = a + "나" + 'x';
    b += CString("y");
    b += 'z';
    EXPECT_TRUE(b == "가나xyz");
    EXPECT_TRUE("가나xyz" == b);
    EXPECT_TRUE(b != a);
    CString empty(static_cast<LPCTSTR>(nullptr));
    EXPECT_TRUE(empty.IsEmpty());
    b.Empty();
    EXPECT_EQ(0, b.GetLength());

    CString path("  C:\\temp\\a.txt \r\n");
    path.TrimLeft();
    path.TrimRight();
    EXPECT_STREQ("C:\\temp\\a.txt", static_cast<LPCTSTR>(path));
    EXPECT_EQ(2, path.Replace("\\", "/"));
    EXPECT_STREQ("C:/temp/a.txt", static_cast<LPCTSTR>(path));
    CString trail("a0000");
    trail.TrimRight('0');
    EXPECT_STREQ("a", static_cast<LPCTSTR>(trail));
}

TEST(CStringTest, BufferRoundTrip) {
    CString s("abc");
    char* p = s.GetBuffer(10);
    std::strcpy(p, "0123456789");
    s.ReleaseBuffer();
    EXPECT_EQ(10, s.GetLength());
    p = s.GetBuffer(0);
    p[4] = '\0';
    s.ReleaseBuffer();
    EXPECT_STREQ("0123", static_cast<LPCTSTR>(s));
    p = s.GetBuffer(20);
    ::lstrcpyA(p, "xy");
    s.ReleaseBuffer(1);
    EXPECT_STREQ("x", static_cast<LPCTSTR>(s));
}

TEST(CStringTest, LoadStringSearchesTheExecutableFirstThenExtensions) {
    CString s;
    ASSERT_TRUE(s.LoadString(IDS_SHARED));
    EXPECT_STREQ("exe", static_cast<LPCTSTR>(s));
    ASSERT_TRUE(s.LoadString(IDS_EXT_ONLY));
    EXPECT_STREQ("확장 모듈", static_cast<LPCTSTR>(s));
    EXPECT_FALSE(s.LoadString(4999));
    EXPECT_TRUE(s.IsEmpty());
    CString fromId(MAKEINTRESOURCE(IDS_EXT_ONLY));
    EXPECT_STREQ("확장 모듈", static_cast<LPCTSTR>(fromId));
}
