// Path text: where roots end (one rule for the deletion layer and the
// protected locations, which each had their own), separators and the cut of
// texts never inside a double-byte character. The tests run in code page 949:
// "\xb0\xa1" is one Korean character, and a lead byte before a backslash
// makes one character of the two, as a trail byte 0x5C does in code page 932.
#include "base/path_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(PathText, RootLengthOfEveryForm) {
    const struct {
        const char* path;
        size_t root;
    } cases[] = {
        {"C:\\a\\b", 3}, {"C:\\", 3}, {"C:", 2}, {"C:a", 2},
        {"\\\\server\\share\\a", 15}, {"\\\\server\\share", 14}, {"\\\\server", 8},
        {"\\\\?\\C:\\a", 7}, {"\\\\.\\C:\\a", 7},
        // The protected locations read "\\?\UNC\" as a server named "?".
        {"\\\\?\\UNC\\server\\share\\a", 21},
        {"\\\\.\\PhysicalDrive0\\a", 19}, {"\\\\.\\pipe", 8},
        // The deletion layer took a relative path's first component for a root.
        {"\\a", 1}, {"a\\b", 0}, {"a", 0}, {"", 0},
        // A server name ending in a lead byte: its "\" is no separator.
        {"\\\\ab\x81\\share\\x", 13},
    };
    for (const auto& c : cases) EXPECT_EQ(base::RootLength(c.path), c.root) << c.path;
}

TEST(PathText, ALeadByteAndTheByteAfterItAreOneCharacter) {
    const std::string path = "C:\\\xb0\xa1\\b\x81\\c";  // the last "\" belongs to "\x81\\"
    EXPECT_EQ(base::LastSeparator(path), 5u);
    EXPECT_EQ(base::LastComponent(path), "b\x81\\c");
    EXPECT_EQ(base::NextSeparator(path, 3), 5u);
    EXPECT_EQ(base::Components(path), (std::vector<std::string>{"C:", "\xb0\xa1", "b\x81\\c"}));
    EXPECT_EQ(base::SplitAtSeparators("\\a\\\\"), (std::vector<std::string>{"", "a", "", ""}));
    EXPECT_EQ(base::WithBackslashes("a/\x81/b/"), "a\\\x81/b\\");
    EXPECT_EQ(base::WithoutTrailingSeparators("C:\\\xb0\xa1\\\\"), "C:\\\xb0\xa1");
    EXPECT_EQ(base::WithoutTrailingSeparators("C:\\a\x81\\"), "C:\\a\x81\\");
    EXPECT_EQ(base::WithoutTrailingSeparators("\\\\server\\share\\"), "\\\\server\\share\\");
    EXPECT_EQ(base::JoinPath("C:\\", "\xb0\xa1"), "C:\\\xb0\xa1");
    EXPECT_EQ(base::JoinPath("C:\\a\x81\\", "b"), "C:\\a\x81\\\\b");
    EXPECT_EQ(base::JoinPath("", "b"), "b");
    EXPECT_EQ(base::LastSeparator("a"), std::string::npos);
}

TEST(PathText, FittingLengthStopsBeforeACharacterItWouldCut) {
    std::string korean;
    for (int i = 0; i < 25; ++i) korean += "\xb0\xa1";
    const struct {
        std::string text;
        size_t limit, fit;
    } cases[] = {
        {"", 39, 0}, {std::string(45, 'a'), 39, 39}, {korean, 39, 38}, {"a" + korean, 39, 39},
        {"ab\x81", 3, 3},  // a lead byte that ends the text is a character of its own
    };
    for (const auto& c : cases) EXPECT_EQ(base::FittingLength(c.text.data(), c.text.size(), c.limit), c.fit) << c.text;
}

}  // namespace
