#include <gtest/gtest.h>

#include "adb/item_type.h"

namespace {

using adb::ItemKind;
using adb::RootKey;

TEST(ItemType, DefinedCodesAndTheirRoots) {
    EXPECT_EQ(adb::DescribeItemType(0).kind, ItemKind::file);
    EXPECT_EQ(adb::DescribeItemType(1).kind, ItemKind::folder);
    EXPECT_EQ(adb::DescribeItemType(2).root, RootKey::classesRoot);
    EXPECT_EQ(adb::DescribeItemType(6).root, RootKey::currentConfig);
    EXPECT_EQ(adb::DescribeItemType(9).root, RootKey::localMachine);
    EXPECT_EQ(adb::DescribeItemType(17).root, RootKey::users);
    EXPECT_EQ(adb::DescribeItemType(18).root, RootKey::currentConfig);
    EXPECT_EQ(adb::DescribeItemType(41).root, RootKey::localMachine);
    EXPECT_EQ(adb::DescribeItemType(48).root, RootKey::users);
    EXPECT_EQ(adb::DescribeItemType(49).root, RootKey::currentConfig);
    EXPECT_TRUE(adb::DescribeItemType(33).checked) << "33 is checked like a folder";
    EXPECT_FALSE(adb::DescribeItemType(32).checked);
    EXPECT_FALSE(adb::DescribeItemType(36).checked);
}

TEST(ItemType, GapsAreUndefined) {
    for (int code : {10, 11, 16, 19, 31, 42, 43, 47, 50, 255})
        EXPECT_EQ(adb::DescribeItemType(static_cast<uint8_t>(code)).kind, ItemKind::undefined) << code;
}

TEST(ItemType, CodeOfEveryDefinedKindRoundTrips) {
    int defined = 0;
    for (int code = 0; code < 256; ++code) {
        adb::ItemTypeInfo info = adb::DescribeItemType(static_cast<uint8_t>(code));
        if (info.kind == ItemKind::undefined) continue;
        ++defined;
        uint8_t back = 0xEE;
        ASSERT_TRUE(adb::ItemTypeCode(info.kind, info.root, code < 32, &back)) << code;
        EXPECT_EQ(back, code);
    }
    EXPECT_EQ(defined, 2 + 5 + 5 + 2 + 5 + 5);
    uint8_t untouched = 0xEE;
    EXPECT_FALSE(adb::ItemTypeCode(ItemKind::file, RootKey::users, true, &untouched));
    EXPECT_FALSE(adb::ItemTypeCode(ItemKind::key, RootKey::none, true, &untouched));
    EXPECT_EQ(untouched, 0xEE);
}

}  // namespace
