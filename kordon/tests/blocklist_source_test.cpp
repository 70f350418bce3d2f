// The block-list source: the shipped list compiles, and each bad line is
// named with its number.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "kordon/blocklist_source.h"

namespace {

TEST(BlockListSource, ParsesControlsCommentsAndQuotes) {
    const std::string text =
        "# a comment\n"
        "\n"
        "control \"{00000000-5eb9-11d5-9d45-009027c14662}\" \"Transponder \"\"VX2\"\"\"  # tail\r\n"
        "control \"{B195B3B3-8A05-11D3-97A4-0004ACA6948E}\" \"Hotbar\" \"{1678F7E1-C422-11D0-AD7D-00400515CAAA}\"\n";
    kadb::Database db;
    kadb::SourceError error;
    ASSERT_TRUE(kadb::ParseBlockListSource(text, &db, &error)) << error.line << ": " << error.message;
    ASSERT_EQ(2u, db.entries.size());
    EXPECT_EQ("{00000000-5EB9-11D5-9D45-009027C14662}", db.entries[0].clsid);  // upper case
    EXPECT_EQ("Transponder \"VX2\"", db.entries[0].name);
    EXPECT_EQ("", db.entries[0].alternateClsid);
    EXPECT_EQ("{1678F7E1-C422-11D0-AD7D-00400515CAAA}", db.entries[1].alternateClsid);

    kadb::Database again;
    ASSERT_TRUE(kadb::ParseBlockListSource(kadb::FormatBlockListSource(db), &again, &error));
    EXPECT_EQ(db.entries[0].name, again.entries[0].name);
    EXPECT_EQ(db.entries[1].alternateClsid, again.entries[1].alternateClsid);
}

TEST(BlockListSource, BadLinesAreNamed) {
    const std::string good = "control \"{B195B3B3-8A05-11D3-97A4-0004ACA6948E}\" \"Hotbar\"\n";
    const char* bad[] = {
        "block \"{B195B3B3-8A05-11D3-97A4-0004ACA6948E}\" \"x\"",
        "control \"{B195B3B3-8A05-11D3-97A4-0004ACA6948E}\"",
        "control \"{B195B3B3-8A05-11D3-97A4-0004ACA6948}\" \"short\"",
        "control \"{B195B3B3-8A05-11D3-97A4-0004ACA6948E}\" \"\"",
        "control \"{B195B3B3-8A05-11D3-97A4-0004ACA6948E}\" \"0123456789012345678901234567890123456789\"",
        "control \"{1678F7E1-C422-11D0-AD7D-00400515CAAA}\" \"x\" \"not a clsid\"",
        "control \"{b195b3b3-8a05-11d3-97a4-0004aca6948e}\" \"twice\"",
        "control \"{1678F7E1-C422-11D0-AD7D-00400515CAAA}\" \"open",
        "control {1678F7E1-C422-11D0-AD7D-00400515CAAA} \"bare\"",
    };
    for (const char* line : bad) {
        SCOPED_TRACE(line);
        kadb::Database db;
        kadb::SourceError error;
        EXPECT_FALSE(kadb::ParseBlockListSource(good + line + "\n", &db, &error));
        EXPECT_EQ(2, error.line);
        EXPECT_FALSE(error.message.empty());
        EXPECT_TRUE(db.entries.empty());
    }
}

TEST(BlockListSource, ShippedListHoldsAtLeast25Controls) {
    std::ifstream in(KORDON_SHIPPED_LIST, std::ios::binary);
    ASSERT_TRUE(in);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    kadb::Database db;
    kadb::SourceError error;
    ASSERT_TRUE(kadb::ParseBlockListSource(text, &db, &error)) << error.line << ": " << error.message;
    EXPECT_GE(db.entries.size(), 25u);
}

}  // namespace
