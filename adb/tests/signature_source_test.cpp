#include <gtest/gtest.h>

#include <string>

#include "adb/signature_source.h"

namespace {

TEST(SignatureSource, ParsesEveryItemKeyword) {
    const char* text =
        "# comment\n"
        "adware 42 \"Foo Bar\"\n"
        "  file \"%sys%\" \"foo.dll\" kill-rundll32 kill-own restart-explorer\n"
        "  folder \"%ProgramFiles%\\Foo\"   # trailing comment\n"
        "  key HKCU \"Software\\Foo\"\n"
        "  value HKU \".DEFAULT\\Software\\Foo\" \"\"\n"
        "  also-file \"C:\\foo.exe\"\n"
        "  also-folder \"C:\\Foo\"\n"
        "  also-key HKCC \"Software\\Foo\"\n"
        "  also-value HKU \"x\" \"y\"\n"
        "  raw 12 \"loc\" \"\"\"quoted\"\" arg\"\n"
        "end\r\n";
    adb::Database db;
    adb::SourceError error;
    ASSERT_TRUE(adb::ParseSignatureSource(text, &db, &error)) << error.line << ": " << error.message;
    ASSERT_EQ(db.records.size(), 1u);
    const adb::Record& r = db.records[0];
    EXPECT_EQ(r.id, 42);
    EXPECT_EQ(r.name, "Foo Bar");
    ASSERT_EQ(r.items.size(), 9u);
    const int codes[9] = {0, 1, 3, 17, 32, 33, 38, 48, 12};
    for (int i = 0; i < 9; ++i) EXPECT_EQ(r.items[i].type, codes[i]) << i;
    EXPECT_EQ(r.items[0].target, "foo.dll");
    EXPECT_EQ(r.items[0].killRundll32, 1);
    EXPECT_EQ(r.items[0].killOwnProcess, 1);
    EXPECT_EQ(r.items[0].restartExplorer, 1);
    EXPECT_EQ(r.items[1].target, "") << "kinds without a target store an empty text";
    EXPECT_EQ(r.items[3].target, "");
    EXPECT_EQ(r.items[8].target, "\"quoted\" arg");
}

TEST(SignatureSource, ErrorsNameTheLine) {
    struct Case {
        const char* text;
        int line;
    } cases[] = {
        {"adware 1 \"a\"\n  file \"x\"\nend\n", 2},            // file without a name
        {"adware 1 \"a\"\n  key HKXX \"x\"\nend\n", 2},        // unknown root
        {"adware 1 \"a\"\n  folder \"x\" kill-all\nend\n", 2}, // unknown flag
        {"adware x \"a\"\nend\n", 1},                          // bad id
        {"adware 1 \"a\"\n", 1},                               // no end
        {"end\n", 1},
        {"  folder \"x\"\n", 1},
        {"adware 1 \"a\n", 1},                                 // unterminated quote
        {"adware 1 \"\x1e\"\nend\n", 1},                      // unrepresentable character
    };
    for (const Case& c : cases) {
        adb::Database db;
        adb::SourceError error;
        EXPECT_FALSE(adb::ParseSignatureSource(c.text, &db, &error)) << c.text;
        EXPECT_EQ(error.line, c.line) << c.text;
        EXPECT_FALSE(error.message.empty());
        EXPECT_TRUE(db.records.empty());
    }
}

TEST(SignatureSource, RefusesOverlongTextsAndTooManyItems) {
    adb::Database db;
    adb::SourceError error;
    std::string longName = "adware 1 \"" + std::string(255, 'n') + "\"\nend\n";
    EXPECT_FALSE(adb::ParseSignatureSource(longName, &db, &error));
    std::string many = "adware 1 \"a\"\n";
    for (int i = 0; i < 256; ++i) many += "folder \"x\"\n";
    many += "end\n";
    EXPECT_FALSE(adb::ParseSignatureSource(many, &db, &error));
    EXPECT_EQ(error.line, 257);
}

TEST(SignatureSource, FormatParsesBackToTheSameDatabase) {
    const char* text =
        "adware -3 \"A \"\"quoted\"\" name\"\n"
        "  value HKLM \"Software\\Run\" \"x\" kill-own\n"
        "  raw 200 \"a\" \"b\"\n"
        "  raw 1 \"folder\" \"with target\"\n"
        "end\n"
        "adware 7 \"Empty\"\nend\n";
    adb::Database db;
    adb::SourceError error;
    ASSERT_TRUE(adb::ParseSignatureSource(text, &db, &error)) << error.message;
    std::string formatted = adb::FormatSignatureSource(db);
    adb::Database back;
    ASSERT_TRUE(adb::ParseSignatureSource(formatted, &back, &error)) << formatted;
    std::vector<uint8_t> a, b;
    ASSERT_EQ(adb::Encode(db, &a), adb::EncodeError::none);
    ASSERT_EQ(adb::Encode(back, &b), adb::EncodeError::none);
    EXPECT_EQ(a, b);
}

}  // namespace
