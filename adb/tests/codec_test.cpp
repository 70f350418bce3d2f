#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "adb/adb_codec.h"

namespace {

using Bytes = std::vector<uint8_t>;

void PutInt32(Bytes* b, int32_t v) {
    for (int s = 0; s < 32; s += 8) b->push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> s));
}

// n characters, none of which would store a zero byte at its position.
std::string Representable(size_t n) {
    std::string text;
    for (size_t i = 0; i < n; ++i) text.push_back(((120 + i - 30) & 0xFF) == 0 ? 'y' : 'x');
    return text;
}

Bytes Encoded(const std::string& text) {
    Bytes b;
    EXPECT_EQ(adb::AppendString(text, &b), adb::EncodeError::none);
    return b;
}

// One record with one item, written byte by byte.
Bytes OneRecordFile(const char* magic = "ADB") {
    Bytes b(magic, magic + 3);
    PutInt32(&b, 1);
    PutInt32(&b, 77);
    Bytes name = Encoded("Foo");
    b.insert(b.end(), name.begin(), name.end());
    b.push_back(1);
    b.push_back(9);
    Bytes loc = Encoded("Software\\Foo");
    b.insert(b.end(), loc.begin(), loc.end());
    Bytes target = Encoded("Bar");
    b.insert(b.end(), target.begin(), target.end());
    b.insert(b.end(), {1, 2, 1});
    return b;
}

TEST(AdbString, StoresEachCharacterShiftedByItsPosition) {
    Bytes b = Encoded("AB");
    ASSERT_EQ(b.size(), 3u);
    EXPECT_EQ(b[0], static_cast<uint8_t>('A' - 30));
    EXPECT_EQ(b[1], static_cast<uint8_t>('B' + 1 - 30));
    EXPECT_EQ(b[2], 0);
}

TEST(AdbString, FirstByteZeroIsEmptyText) {
    Bytes b = {0, 0x41};
    size_t pos = 0;
    adb::Text t = adb::ReadString(b.data(), b.size(), &pos);
    ASSERT_TRUE(t.has_value());
    EXPECT_EQ(*t, "");
    EXPECT_EQ(pos, 1u);
}

TEST(AdbString, KoreanBytesRoundTrip) {
    std::string text = "\xB1\xBC\xB8\xB2 Foo";  // two CP949 characters, four bytes
    Bytes b = Encoded(text);
    size_t pos = 0;
    EXPECT_EQ(adb::ReadString(b.data(), b.size(), &pos), text);
    EXPECT_EQ(pos, b.size());
}

TEST(AdbString, Exactly254CharactersLoadWhole) {
    std::string text = Representable(254);
    Bytes b = Encoded(text);
    ASSERT_EQ(b.size(), 255u);
    size_t pos = 0;
    EXPECT_EQ(adb::ReadString(b.data(), b.size(), &pos), text);
    EXPECT_EQ(pos, 255u);
}

TEST(AdbString, Over254CharactersAbsentAndReaderStopsAfter255Bytes) {
    Bytes b(255, 0x55);
    b.push_back(0);
    b.push_back(0x55);
    size_t pos = 0;
    EXPECT_FALSE(adb::ReadString(b.data(), b.size(), &pos).has_value());
    EXPECT_EQ(pos, 255u) << "the following fields start where the reader stopped";
}

TEST(AdbString, UnterminatedAtEndOfFileIsAbsent) {
    Bytes b = {0x41, 0x42};
    size_t pos = 0;
    EXPECT_FALSE(adb::ReadString(b.data(), b.size(), &pos).has_value());
    EXPECT_EQ(pos, 2u);
}

TEST(AdbString, WriterRefusesWhatCannotBeStored) {
    Bytes b;
    size_t at = 99;
    EXPECT_EQ(adb::CheckString(std::string(255, 'x')), adb::EncodeError::tooLong);
    EXPECT_EQ(adb::CheckString(std::nullopt), adb::EncodeError::absentText);
    // Character 30 at position 0 and 29 at position 1 would store a zero byte.
    EXPECT_EQ(adb::CheckString(std::string("\x1e"), &at), adb::EncodeError::unrepresentable);
    EXPECT_EQ(at, 0u);
    EXPECT_EQ(adb::CheckString(std::string("a\x1d"), &at), adb::EncodeError::unrepresentable);
    EXPECT_EQ(at, 1u);
    EXPECT_EQ(adb::AppendString(std::string(255, 'x'), &b), adb::EncodeError::tooLong);
    EXPECT_TRUE(b.empty()) << "nothing is appended on failure";
}

TEST(AdbDecode, ReadsEveryFieldInOrder) {
    Bytes b = OneRecordFile();
    adb::Database db;
    ASSERT_TRUE(adb::Decode(b.data(), b.size(), &db));
    ASSERT_EQ(db.records.size(), 1u);
    const adb::Record& r = db.records[0];
    EXPECT_EQ(r.id, 77);
    EXPECT_EQ(r.name, "Foo");
    ASSERT_EQ(r.items.size(), 1u);
    EXPECT_EQ(r.items[0].type, 9);
    EXPECT_EQ(r.items[0].location, "Software\\Foo");
    EXPECT_EQ(r.items[0].target, "Bar");
    EXPECT_EQ(r.items[0].killRundll32, 1);
    EXPECT_EQ(r.items[0].killOwnProcess, 2);
    EXPECT_EQ(r.items[0].restartExplorer, 1);
}

TEST(AdbDecode, MagicInAnyLetterCase) {
    for (const char* magic : {"adb", "AdB", "aDb"}) {
        Bytes b = OneRecordFile(magic);
        adb::Database db;
        EXPECT_TRUE(adb::Decode(b.data(), b.size(), &db)) << magic;
        EXPECT_EQ(db.records.size(), 1u);
    }
}

TEST(AdbDecode, WrongMagicOrLineFeedFails) {
    for (const char* magic : {"AD\n", "ADC", "AD\0", "XDB"}) {
        Bytes b = OneRecordFile("ADB");
        std::copy(magic, magic + 3, b.begin());
        adb::Database db;
        db.records.resize(3);
        EXPECT_FALSE(adb::Decode(b.data(), b.size(), &db));
        EXPECT_TRUE(db.records.empty()) << "a failed load leaves nothing";
    }
    Bytes tooShort = {'A', 'D'};
    adb::Database db;
    EXPECT_FALSE(adb::Decode(tooShort.data(), tooShort.size(), &db));
    EXPECT_FALSE(adb::Decode(nullptr, 0, &db));
}

TEST(AdbDecode, ZeroAndNegativeCountsLoadEmpty) {
    for (int32_t count : {0, -1, INT32_MIN}) {
        Bytes b = {'A', 'D', 'B'};
        PutInt32(&b, count);
        adb::Database db;
        EXPECT_TRUE(adb::Decode(b.data(), b.size(), &db));
        EXPECT_TRUE(db.records.empty());
    }
}

TEST(AdbDecode, LyingRecordCountDoesNotAllocateBeyondTheFile) {
    Bytes b = {'A', 'D', 'B'};
    PutInt32(&b, 2000000000);
    b.insert(b.end(), {1, 0, 0, 0, 0x1F, 0, 0, 0, 0, 0, 0, 0, 0});  // 20 bytes in all
    ASSERT_EQ(b.size(), 20u);
    adb::Database db;
    ASSERT_TRUE(adb::Decode(b.data(), b.size(), &db));
    EXPECT_LE(db.records.size(), 13u);
    EXPECT_LE(db.records.capacity(), 13u);
    EXPECT_EQ(db.records[0].id, 1);
}

TEST(AdbDecode, ItemCountPastTheEndKeepsWhatBegins) {
    Bytes b = OneRecordFile();
    // Claim 200 items; only the one that is present begins inside the file.
    size_t itemCountAt = 3 + 4 + 4 + Encoded("Foo").size();
    b[itemCountAt] = 200;
    adb::Database db;
    ASSERT_TRUE(adb::Decode(b.data(), b.size(), &db));
    ASSERT_EQ(db.records.size(), 1u);
    EXPECT_EQ(db.records[0].items.size(), 1u);
}

TEST(AdbDecode, TruncatedAnywhereNeverFails) {
    Bytes full = OneRecordFile();
    for (size_t cut = 3; cut < full.size(); ++cut) {
        adb::Database db;
        ASSERT_TRUE(adb::Decode(full.data(), cut, &db)) << cut;
        ASSERT_LE(db.records.size(), 1u);
        if (cut < 7 + 1) EXPECT_TRUE(db.records.empty()) << cut;
    }
    // Cut inside the target: that text is absent, flags read as not set.
    adb::Database db;
    ASSERT_TRUE(adb::Decode(full.data(), full.size() - 5, &db));
    ASSERT_EQ(db.records[0].items.size(), 1u);
    EXPECT_EQ(db.records[0].items[0].location, "Software\\Foo");
    EXPECT_FALSE(db.records[0].items[0].target.has_value());
    EXPECT_EQ(db.records[0].items[0].killRundll32, 0);
}

TEST(AdbDecode, ItemCountZeroLoadsAsEmptyRecord) {
    Bytes b = {'A', 'D', 'B'};
    PutInt32(&b, 1);
    PutInt32(&b, 5);
    Bytes name = Encoded("Empty");
    b.insert(b.end(), name.begin(), name.end());
    b.push_back(0);
    adb::Database db;
    ASSERT_TRUE(adb::Decode(b.data(), b.size(), &db));
    ASSERT_EQ(db.records.size(), 1u);
    EXPECT_TRUE(db.records[0].items.empty());
}

TEST(AdbEncode, RoundTripsAndReportsTheBadText) {
    adb::Database db;
    adb::Record r;
    r.id = -5;
    r.name = "Name";
    adb::Item item;
    item.type = 48;
    item.location = "Loc";
    item.target = "";
    item.restartExplorer = 1;
    r.items.push_back(item);
    db.records.push_back(r);
    Bytes bytes;
    ASSERT_EQ(adb::Encode(db, &bytes), adb::EncodeError::none);
    adb::Database back;
    ASSERT_TRUE(adb::Decode(bytes.data(), bytes.size(), &back));
    ASSERT_EQ(back.records.size(), 1u);
    EXPECT_EQ(back.records[0].id, -5);
    EXPECT_EQ(back.records[0].items[0].type, 48);
    EXPECT_EQ(back.records[0].items[0].target, "");
    EXPECT_EQ(back.records[0].items[0].restartExplorer, 1);

    db.records[0].items[0].target = std::nullopt;
    int badRecord = -9, badItem = -9;
    EXPECT_EQ(adb::Encode(db, &bytes, &badRecord, &badItem), adb::EncodeError::absentText);
    EXPECT_TRUE(bytes.empty());
    EXPECT_EQ(badRecord, 0);
    EXPECT_EQ(badItem, 0);
}

}  // namespace
