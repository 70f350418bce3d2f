// The Kordon.adb codec on the host: round trips, the exact bytes of the
// format, and damaged images of every kind.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "kordon/kadb_codec.h"

namespace {

using kadb::Database;
using kadb::DecodeResult;
using kadb::Entry;

const char kClsidA[] = "{00000000-5EB9-11D5-9D45-009027C14662}";
const char kClsidB[] = "{b195b3b3-8a05-11d3-97a4-0004aca6948e}";

Database Sample() {
    Database db;
    db.entries.push_back({"Transponder", kClsidA, "", kadb::kCreatedKey | kadb::kCreatedValue});
    db.entries.push_back({"\xc7\xd1\xb1\xdb \xc0\xcc\xb8\xa7", kClsidB, kClsidA, 0});  // CP949 name
    return db;
}

std::vector<uint8_t> Bytes(const std::string& text) { return std::vector<uint8_t>(text.begin(), text.end()); }

DecodeResult DecodeBytes(const std::vector<uint8_t>& bytes, Database* out) {
    return kadb::Decode(bytes.data(), bytes.size(), out);
}

TEST(KadbCodec, EmptyDatabaseIsTheHeaderAlone) {
    std::vector<uint8_t> bytes;
    ASSERT_EQ(kadb::EncodeError::none, kadb::Encode(Database{}, &bytes));
    EXPECT_EQ(Bytes(std::string("KADB\x01\0\0\0\0", 9)), bytes);
    Database db;
    db.entries.push_back({});
    EXPECT_EQ(DecodeResult::whole, DecodeBytes(bytes, &db));
    EXPECT_TRUE(db.entries.empty());
}

TEST(KadbCodec, RecordsRoundTripWithTheirOriginFlags) {
    std::vector<uint8_t> bytes;
    ASSERT_EQ(kadb::EncodeError::none, kadb::Encode(Sample(), &bytes));
    // Header, then flags and three terminated texts per record.
    const std::string first = std::string("\x03Transponder\0", 13) + kClsidA + std::string(1, '\0') + std::string(1, '\0');
    EXPECT_EQ(0, memcmp(bytes.data() + kadb::kHeaderSize, first.data(), first.size()));
    EXPECT_EQ(2, bytes[5]);

    Database db;
    ASSERT_EQ(DecodeResult::whole, DecodeBytes(bytes, &db));
    ASSERT_EQ(2u, db.entries.size());
    for (size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(Sample().entries[i].name, db.entries[i].name);
        EXPECT_EQ(Sample().entries[i].clsid, db.entries[i].clsid);
        EXPECT_EQ(Sample().entries[i].alternateClsid, db.entries[i].alternateClsid);
        EXPECT_EQ(Sample().entries[i].origin, db.entries[i].origin);
    }
}

TEST(KadbCodec, EncodeRefusesTextsTheFormatCannotHold) {
    struct Case { std::string name; kadb::EncodeError error; } cases[] = {
        {std::string(39, 'x'), kadb::EncodeError::none},
        {std::string(40, 'x'), kadb::EncodeError::tooLong},
        {std::string("a\0b", 3), kadb::EncodeError::embeddedZero},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name.size());
        Database db = Sample();
        db.entries[1].alternateClsid = c.name;
        std::vector<uint8_t> bytes = {1, 2, 3};
        size_t bad = 99;
        EXPECT_EQ(c.error, kadb::Encode(db, &bytes, &bad));
        if (c.error != kadb::EncodeError::none) {
            EXPECT_TRUE(bytes.empty());
            EXPECT_EQ(1u, bad);
        }
    }
}

TEST(KadbCodec, EveryCutKeepsTheWholeRecordsBeforeIt) {
    std::vector<uint8_t> full;
    ASSERT_EQ(kadb::EncodeError::none, kadb::Encode(Sample(), &full));
    std::vector<uint8_t> one;
    Database first;
    first.entries.push_back(Sample().entries[0]);
    ASSERT_EQ(kadb::EncodeError::none, kadb::Encode(first, &one));
    const size_t firstEnd = one.size();  // the same bytes, but for the count

    for (size_t cut = 0; cut < full.size(); ++cut) {
        SCOPED_TRACE(cut);
        std::vector<uint8_t> bytes(full.begin(), full.begin() + cut);
        Database db;
        EXPECT_EQ(DecodeResult::damaged, DecodeBytes(bytes, &db));
        EXPECT_EQ(cut >= firstEnd ? 1u : 0u, db.entries.size());
    }
}

TEST(KadbCodec, DamagedAndForeignImages) {
    struct Case { const char* what; std::string bytes; DecodeResult result; size_t entries; } cases[] = {
        {"other magic", std::string("ADB\x01\0\0\0\0", 8), DecodeResult::foreign, 0},
        {"newer version", std::string("KADB\x02\0\0\0\0", 9), DecodeResult::foreign, 0},
        {"text file", "control \"{x}\"", DecodeResult::foreign, 0},
        {"count that lies", std::string("KADB\x01\xff\xff\xff\xff\x00n\0c\0\0", 15), DecodeResult::damaged, 1},
        {"bytes after the last record", std::string("KADB\x01\x01\0\0\0\x00n\0c\0\0junk", 19), DecodeResult::damaged, 1},
        {"text without terminator", std::string("KADB\x01\x01\0\0\0\x00", 10) + std::string(60, 'n'),
         DecodeResult::damaged, 0},
        {"text of 40 bytes", std::string("KADB\x01\x01\0\0\0\x00", 10) + std::string(40, 'n') + std::string(3, '\0'),
         DecodeResult::damaged, 0},
        {"unknown origin bits dropped", std::string("KADB\x01\x01\0\0\0\xc0n\0c\0\0", 15), DecodeResult::whole, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Database db;
        EXPECT_EQ(c.result, DecodeBytes(Bytes(c.bytes), &db));
        EXPECT_EQ(c.entries, db.entries.size());
        if (!db.entries.empty()) EXPECT_EQ(0, db.entries[0].origin);
    }
}

TEST(KadbCodec, ClsidForm) {
    EXPECT_TRUE(kadb::IsRegistryClsid(kClsidA));
    EXPECT_TRUE(kadb::IsRegistryClsid(kClsidB));
    for (const char* bad : {"00000000-5EB9-11D5-9D45-009027C14662", "{00000000-5EB9-11D5-9D45-009027C1466}",
                            "{00000000-5EB9-11D5-9D45-009027C146621}", "{000000000-5EB9-11D5-9D45-09027C14662}",
                            "{00000000-5EB9-11D5-9D45-009027C1466G}", "{00000000\\5EB9-11D5-9D45-009027C14662}",
                            "{00000000-5EB9-11D5-9D45-009027C1466\xb0}", ""})
        EXPECT_FALSE(kadb::IsRegistryClsid(bad)) << bad;
    EXPECT_TRUE(kadb::SameClsid("{AbC}", "{aBc}"));
    EXPECT_FALSE(kadb::SameClsid("{ABC}", "{ABD}"));
}

}  // namespace
