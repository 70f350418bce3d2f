// Path variables and target normalisation, on contexts the tests choose.
#include <gtest/gtest.h>
#include <string.h>

#include <string>

#include "engine/bounded_text.h"
#include "engine/item_text.h"
#include "tests/support/sandbox.h"

namespace {

using engine::kPathSize;
using engine::PathContext;
using pvtest::Environment;

PathContext Context(bool nt, const char* windowsDir = "C:\\windows", const char* systemDir = "C:\\windows\\system32") {
    PathContext c;
    c.ntFamily = nt;
    strcpy(c.windowsDir, windowsDir);
    strcpy(c.systemDir, systemDir);
    return c;
}

std::string Resolve(const char* location, const PathContext& context) {
    char out[kPathSize + 16];
    memset(out, 0x7E, sizeof(out));
    bool ok = engine::ResolveLocation(location, context, out);
    EXPECT_EQ(out[kPathSize], 0x7E) << "guard byte after the 260-character buffer";
    return ok ? std::string(out) : std::string("<refused>");
}

std::string Normalize(const char* text, const PathContext& context) {
    char out[kPathSize + 16];
    memset(out, 0x7E, sizeof(out));
    bool ok = engine::NormalizeItemText(text, context, out);
    EXPECT_EQ(out[kPathSize], 0x7E);
    return ok ? std::string(out) : std::string("<refused>");
}

TEST(ResolveLocation, SystemAndDownloadedProgramFolders) {
    PathContext c = Context(true);
    EXPECT_EQ(Resolve("%sys%", c), "C:\\windows\\system32");
    EXPECT_EQ(Resolve("%SYS%\\drivers", c), "C:\\windows\\system32\\drivers");
    EXPECT_EQ(Resolve("%Atv%\\x.inf", c), "C:\\windows\\Downloaded Program Files\\x.inf");
}

TEST(ResolveLocation, ProfileVariableInAnyCaseOnNt) {
    PathContext c = Context(true);
    std::string profile = Environment("USERPROFILE");
    ASSERT_FALSE(profile.empty());
    EXPECT_EQ(Resolve("%USERPROFILE%\\Foo", c), profile + "\\Foo");
    EXPECT_EQ(Resolve("%UserProFile%\\Foo", c), profile + "\\Foo");
    EXPECT_EQ(Resolve("%userprofile%", c), profile);
}

TEST(ResolveLocation, NinexFamilyUsesTheWindowsFolderAndItsDrive) {
    PathContext c = Context(false, "D:\\WINDOWS", "D:\\WINDOWS\\SYSTEM");
    EXPECT_EQ(Resolve("%ProgramFiles%\\Foo", c), "D:\\Program Files\\Foo");
    EXPECT_EQ(Resolve("%UserProFile%\\Desktop", c), "D:\\WINDOWS\\Desktop");
    EXPECT_EQ(Resolve("%sys%\\a.dll", c), "D:\\WINDOWS\\SYSTEM\\a.dll");
}

TEST(ResolveLocation, ProgramFilesFromEnvironmentOnNt) {
    EXPECT_EQ(Resolve("%ProgramFiles%\\Foo", Context(true)), Environment("ProgramFiles") + "\\Foo");
}

TEST(ResolveLocation, OtherVariablesExpandTheWholeLocationOnce) {
    std::string windir = Environment("windir");
    ASSERT_FALSE(windir.empty());
    EXPECT_EQ(Resolve("%windir%\\Baz", Context(true)), windir + "\\Baz");
    EXPECT_EQ(Resolve("%NoSuchVariable_Purvex%\\Baz", Context(true)), "%NoSuchVariable_Purvex%\\Baz");
    EXPECT_EQ(Resolve("%sys", Context(true)), "%sys") << "no closing percent sign: no variable";
}

TEST(ResolveLocation, NoPercentSignPassesUnchanged) {
    EXPECT_EQ(Resolve("C:\\Some Folder\\x", Context(true)), "C:\\Some Folder\\x");
    EXPECT_EQ(Resolve("", Context(true)), "");
}

TEST(ResolveLocation, OverlongResultIsRefusedNeverCut) {
    std::string rest(250, 'a');
    EXPECT_EQ(Resolve(("%sys%\\" + rest).c_str(), Context(true)), "<refused>");
    EXPECT_EQ(Resolve(("%Atv%" + rest).c_str(), Context(true)), "<refused>");
    std::string fits(kPathSize - 1 - strlen("C:\\windows\\system32"), 'b');
    EXPECT_EQ(Resolve(("%sys%" + fits).c_str(), Context(true)).size(), kPathSize - 1);
}

TEST(ResolveLocation, UnreadableFolderMakesTheVariableUnresolvable) {
    PathContext c = Context(true, "", "");
    EXPECT_EQ(Resolve("%sys%\\a.dll", c), "<refused>");
    EXPECT_EQ(Resolve("%Atv%", c), "<refused>");
}

TEST(NormalizeItemText, QuotedProgramWithArgumentBecomesTheBareProgram) {
    PathContext c = Context(true);
    EXPECT_EQ(Normalize("\"C:\\Program Files\\Foo\\foo.exe\" /run -x", c), "C:\\Program Files\\Foo\\foo.exe");
    EXPECT_EQ(Normalize("abc\"def", c), "abcdef") << "only one quote: it is left out";
    EXPECT_EQ(Normalize("\"\"", c), "");
}

TEST(NormalizeItemText, SysAndAtvVariableParts) {
    PathContext c = Context(true);
    EXPECT_EQ(Normalize("%sys%\\foo.dll", c), "C:\\windows\\system32\\foo.dll");
    EXPECT_EQ(Normalize("\"%SYS%\\rundll32.exe\" foo.dll,Run", c), "C:\\windows\\system32\\rundll32.exe");
    EXPECT_EQ(Normalize("%Atv%\\x.ocx", c), "C:\\windows\\Downloaded Program Files") << "the rest is dropped";
    EXPECT_EQ(Normalize("plain.exe", c), "plain.exe");
    EXPECT_EQ(Normalize("", c), "");
}

TEST(NormalizeItemText, OtherVariablesExpandFromTheEnvironment) {
    EXPECT_EQ(Normalize("%windir%\\x.exe", Context(true)), Environment("windir") + "\\x.exe");
    EXPECT_EQ(Normalize("100%", Context(true)), "100%");
}

TEST(NormalizeItemText, OverlongExpansionIsRefused) {
    std::string rest(250, 'r');
    EXPECT_EQ(Normalize(("%sys%" + rest).c_str(), Context(true)), "<refused>");
}

TEST(BoundedText, JoinRefusesWhatDoesNotFitAndLeavesEmptyText) {
    char buffer[8];
    memset(buffer, 0x7E, sizeof(buffer));
    EXPECT_TRUE(engine::JoinText(buffer, 7, "abc", "def"));
    EXPECT_STREQ(buffer, "abcdef");
    EXPECT_EQ(buffer[7], 0x7E);
    EXPECT_FALSE(engine::JoinText(buffer, 7, "abc", "defg"));
    EXPECT_STREQ(buffer, "");
    EXPECT_EQ(buffer[7], 0x7E);
}

TEST(BoundedText, CopyCutNeverSplitsADoubleByteCharacter) {
    char buffer[6];
    memset(buffer, 0x7E, sizeof(buffer));
    engine::CopyCut(buffer, 5, "ab\xB0\xA1\xB0\xA1");  // two Korean characters after "ab"
    EXPECT_STREQ(buffer, "ab\xB0\xA1");
    EXPECT_EQ(buffer[5], 0x7E);
    engine::CopyCut(buffer, 4, "ab\xB0\xA1");
    EXPECT_STREQ(buffer, "ab") << "no room for the trail byte: the character is left out";
}

TEST(BoundedText, CaseFoldsLettersButNotTrailBytes) {
    EXPECT_TRUE(engine::StartsWithNoCase("C:\\Windows\\Explorer.EXE", "c:\\windows\\explorer.exe"));
    EXPECT_TRUE(engine::StartsWithNoCase("c:\\a\\b.exe", "C:\\A\\B"));
    EXPECT_FALSE(engine::StartsWithNoCase("c:\\a", "c:\\a\\b"));
    // 0x81 0x41 and 0x81 0x61 are two different characters of code page 949.
    EXPECT_FALSE(engine::EqualsNoCase("\x81\x41", "\x81\x61"));
    EXPECT_TRUE(engine::EqualsNoCase("\x81\x41x", "\x81\x41X"));
}

}  // namespace
