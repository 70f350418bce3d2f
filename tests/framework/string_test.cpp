// CString: formatting, searching, loading, and code page 949 text kept intact.
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
    EXPECT_EQ(-1, s.Find('a'));
}

TEST(CStringTest, OperatorsAndEditing) {
    CString a("가");
    CString b = a + "나" + "x";
    b += CString("y");
    b += "z";
    EXPECT_TRUE(b == "가나xyz");
    EXPECT_TRUE(b != a);
    EXPECT_TRUE(("가" + CString("나")) == "가나");
    CString empty(static_cast<LPCTSTR>(nullptr));
    EXPECT_TRUE(empty.IsEmpty());
    b.Empty();
    EXPECT_EQ(0, b.GetLength());
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
