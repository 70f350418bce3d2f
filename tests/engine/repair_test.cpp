// ftool_AdRepair on real files, folders and registry items, and the outcome rule.
#include <gtest/gtest.h>

#include "base/deletion.h"
#include "engine/removal.h"
#include "tests/support/engine_probe.h"
#include "tests/support/sandbox.h"

namespace {

using namespace enginetest;

class RepairTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(engine.ok()); }
    AdScanResult ScanOne(const std::vector<adb::Item>& items, const std::string& name = "Sample") {
        std::string path = WriteDatabase(folder, {MakeRecord(7, name, items)}, "repair" + std::to_string(++n) + ".adb");
        EXPECT_EQ(engine.LoadADB(path.c_str()), 0);
        return engine.AdScan(0);
    }
    TempFolder folder;  // outlives the engine, which keeps its database open
    Engine engine;
    int n = 0;
};

TEST_F(RepairTest, DeletesFileFolderKeyAndValue) {
    WriteText(folder / "ad.dll", "x");
    CreateDirectoryA((folder / "AdFolder").c_str(), nullptr);
    WriteText(folder / "AdFolder\\inner.txt", "x");
    TestKey key(HKEY_CURRENT_USER, "Software");
    CreateKey(HKEY_CURRENT_USER, key / "AdKey\\Deeper");
    SetStringValue(HKEY_CURRENT_USER, key.path(), "AdValue", "x");
    SetStringValue(HKEY_CURRENT_USER, key.path(), "Keep", "x");
    AdScanResult r = ScanOne({MakeItem(0, folder.path(), "ad.dll"), MakeItem(1, folder / "AdFolder"),
                              MakeItem(3, key / "AdKey"), MakeItem(8, key.path(), "AdValue")});
    ASSERT_EQ(r.foundCount, 4u);
    EXPECT_NE(engine.AdRepair(r), 0);
    EXPECT_FALSE(Exists(folder / "ad.dll"));
    EXPECT_FALSE(Exists(folder / "AdFolder"));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, key / "AdKey"));
    EXPECT_FALSE(ValueExists(HKEY_CURRENT_USER, key.path(), "AdValue"));
    EXPECT_TRUE(ValueExists(HKEY_CURRENT_USER, key.path(), "Keep"));
    EXPECT_EQ(engine.AdScan(0).foundCount, 0u) << "a rescan finds nothing";
}

TEST_F(RepairTest, KeysAndValuesUnderEveryRoot) {
    const struct { HKEY root; const char* parent; uint8_t key, value, alsoKey, alsoValue; } roots[] = {
        {HKEY_CLASSES_ROOT, "", 2, 7, 34, 39},      {HKEY_CURRENT_USER, "Software", 3, 8, 35, 40},
        {HKEY_LOCAL_MACHINE, "Software", 4, 9, 36, 41}, {HKEY_USERS, "", 5, 17, 37, 48},
        {HKEY_CURRENT_CONFIG, "", 6, 18, 38, 49},
    };
    for (const auto& c : roots) {
        TestKey key(c.root, c.parent);
        CreateKey(c.root, key / "A");
        CreateKey(c.root, key / "B");
        SetStringValue(c.root, key.path(), "v", "x");
        SetStringValue(c.root, key.path(), "w", "x");
        AdScanResult r = ScanOne({MakeItem(c.key, key / "A"), MakeItem(c.alsoKey, key / "B"),
                                  MakeItem(c.value, key.path(), "v"), MakeItem(c.alsoValue, key.path(), "w")});
        ASSERT_EQ(r.foundCount, 4u) << int(c.key);
        EXPECT_EQ(engine.AdRepair(r), 1) << int(c.key);
        EXPECT_FALSE(KeyExists(c.root, key / "A"));
        EXPECT_FALSE(KeyExists(c.root, key / "B")) << int(c.alsoKey);
        EXPECT_FALSE(ValueExists(c.root, key.path(), "v"));
        EXPECT_FALSE(ValueExists(c.root, key.path(), "w")) << int(c.alsoValue);
        engine.UnloadADB();
    }
}

// Results built by hand, as a caller could pass them back.
AdScanResult Result(const char* name, AdwareItem* items, uint32_t count) { return {7, const_cast<char*>(name), count, items}; }
AdwareItem Item(uint8_t type, const std::string& location, const char* target = "") {
    return {type, const_cast<char*>(location.c_str()), const_cast<char*>(target), 0, 0, 0};
}

TEST_F(RepairTest, EachItemsOutcomeIsKeptUntilTheNextRepair) {
    WriteText(folder / "gone.dll", "x");
    std::string gone = folder / "gone.dll", missing = folder / "missing.dll", windows(MAX_PATH, 0);
    windows.resize(GetWindowsDirectoryA(&windows[0], MAX_PATH));
    AdwareItem items[] = {Item(0, gone), Item(0, missing), Item(1, windows), Item(19, gone), Item(10, "Software")};
    const uint8_t expected[] = {PURVEX_ITEM_REMOVED, PURVEX_ITEM_FAILED, PURVEX_ITEM_REFUSED, PURVEX_ITEM_UNTOUCHED,
                                PURVEX_ITEM_FAILED};
    engine.AdRepair(Result("x", items, 5));
    for (int i = 0; i < 5; ++i) EXPECT_EQ(engine.GetItemOutcome(i), expected[i]) << i;
    for (int i : {-1, 5, 255, 256}) EXPECT_EQ(engine.GetItemOutcome(i), PURVEX_ITEM_UNTOUCHED) << i;
    engine.AdRepair(Result("x", items + 1, 1));
    EXPECT_EQ(engine.GetItemOutcome(0), PURVEX_ITEM_FAILED);
    EXPECT_EQ(engine.GetItemOutcome(2), PURVEX_ITEM_UNTOUCHED) << "a new repair forgets the last one";
}

TEST_F(RepairTest, LastRecordedOutcomeWins) {
    WriteText(folder / "last.dll", "x");
    std::string missing = folder / "missing.dll", last = folder / "last.dll";
    AdwareItem failThenSucceed[] = {Item(0, missing), Item(0, last)};
    EXPECT_EQ(engine.AdRepair(Result("x", failThenSucceed, 2)), 1) << "an earlier failure does not count";
    WriteText(last, "x");
    AdwareItem succeedThenFail[] = {Item(0, last), Item(0, missing)};
    EXPECT_EQ(engine.AdRepair(Result("x", succeedThenFail, 2)), 0);
    EXPECT_FALSE(Exists(last));
}

TEST_F(RepairTest, ValueWhoseKeyIsMissingFails) {
    std::string key = "Software\\PurvexNoSuchKey_" + std::to_string(GetCurrentProcessId());
    AdwareItem items[] = {Item(8, key, "v")};
    EXPECT_EQ(engine.AdRepair(Result("x", items, 1)), 0);
}

TEST_F(RepairTest, UndefinedRootCodesFailAndOthersAreSkipped) {
    TestKey key(HKEY_CURRENT_USER, "Software");
    SetStringValue(HKEY_CURRENT_USER, key.path(), "v", "x");
    for (uint8_t code : {10, 16, 42, 47}) {
        AdwareItem items[] = {Item(code, key.path(), "v")};
        EXPECT_EQ(engine.AdRepair(Result("x", items, 1)), 0) << int(code);
    }
    EXPECT_TRUE(ValueExists(HKEY_CURRENT_USER, key.path(), "v"));
    AdwareItem skipped[] = {Item(19, key.path(), "v"), Item(200, key.path(), "v")};
    EXPECT_EQ(engine.AdRepair(Result("x", skipped, 2)), 1) << "nothing recorded, nothing failed";
    EXPECT_TRUE(ValueExists(HKEY_CURRENT_USER, key.path(), "v"));
}

TEST_F(RepairTest, CodesThirtyTwoAndThirtyThreeOnlyDecideWhenNothingElseDoes) {
    WriteText(folder / "a.dll", "x");
    std::string file = folder / "a.dll", missing = folder / "nothere";
    AdwareItem failed[] = {Item(32, missing)};
    EXPECT_EQ(engine.AdRepair(Result("x", failed, 1)), 0) << "a failed deletion is not reported as success";
    AdwareItem both[] = {Item(33, missing), Item(32, file)};
    EXPECT_EQ(engine.AdRepair(Result("x", both, 2)), 1);
    EXPECT_FALSE(Exists(file));
    TestKey key(HKEY_CURRENT_USER, "Software");
    AdwareItem recorded[] = {Item(3, key.path()), Item(33, missing)};
    EXPECT_EQ(engine.AdRepair(Result("x", recorded, 2)), 1) << "the key's outcome is the recorded one";
}

TEST_F(RepairTest, NothingFoundRemovesNothing) {
    WriteText(folder / "keep.dll", "x");
    std::string keep = folder / "keep.dll";
    AdwareItem items[] = {Item(0, keep)};
    EXPECT_EQ(engine.AdRepair(Result("x", items, 0)), 1);
    EXPECT_EQ(engine.AdRepair(Result("x", nullptr, 3)), 1) << "no items array: nothing to do";
    AdwareItem lowByte[] = {Item(0, keep)};
    EXPECT_EQ(engine.AdRepair(Result("x", lowByte, 0x100)), 1) << "only the low byte of the count counts";
    EXPECT_TRUE(Exists(keep));
}

TEST_F(RepairTest, EmptyKeyPathIsRefusedNotTheWholeRoot) {
    AdwareItem items[] = {Item(3, ""), Item(35, "\\\\")};
    EXPECT_EQ(engine.AdRepair(Result("x", items, 2)), 0);
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, "Software"));
    EXPECT_EQ(engine::RemoveKeyTree(HKEY_CURRENT_USER, ""), ERROR_INVALID_PARAMETER);
}

TEST_F(RepairTest, ReadOnlyAndSystemFolderTreeIsRemovedCompletely) {
    std::string top = folder / "Tree";
    CreateDirectoryA(top.c_str(), nullptr);
    CreateDirectoryA((top + "\\Sub").c_str(), nullptr);
    CreateDirectoryA((top + "\\Sub\\Deep").c_str(), nullptr);
    WriteText(top + "\\ro.txt", "x");
    WriteText(top + "\\sys.dll", "x");
    WriteText(top + "\\Sub\\hidden.dat", "x");
    WriteText(top + "\\Sub\\Deep\\ro2.txt", "x");
    SetFileAttributesA((top + "\\ro.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    SetFileAttributesA((top + "\\sys.dll").c_str(), FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesA((top + "\\Sub\\hidden.dat").c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesA((top + "\\Sub\\Deep\\ro2.txt").c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM);
    SetFileAttributesA((top + "\\Sub").c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM);
    SetFileAttributesA(top.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(base::HoldPath((top + "\\").c_str()).RemoveTree(base::Attributes::kNormal))
        << "a trailing backslash is accepted";
    EXPECT_FALSE(Exists(top));
    EXPECT_FALSE(base::HoldPath("").RemoveTree(base::Attributes::kNormal));
    EXPECT_FALSE(base::HoldPath(nullptr).RemoveTree(base::Attributes::kNormal));
    EXPECT_FALSE(base::HoldPath(top.c_str()).RemoveTree(base::Attributes::kNormal)) << "already gone";
}

// Tree\{junk.txt, link -> Outside} beside Outside\precious.txt, the link a
// Unix symbolic link, which shows as a directory reparse point.
TEST(FolderTreeLinks, NeverFollowsADirectoryLink) {
    TempFolder folder;
    const std::string top = folder / "Tree";
    const std::string precious = folder / "Outside\\precious.txt";
    CreateDirectoryA(top.c_str(), nullptr);
    CreateDirectoryA((folder / "Outside").c_str(), nullptr);
    WriteText(precious, "x");
    WriteText(top + "\\junk.txt", "x");
    ASSERT_TRUE(pvtest::MakeFolderLink(top + "\\link", folder / "Outside"));

    bool removed = base::HoldPath(top.c_str()).RemoveTree(base::Attributes::kNormal);
    EXPECT_TRUE(Exists(precious)) << "the link's target is left alone";
    EXPECT_FALSE(Exists(top + "\\junk.txt"));
    // Wine cannot remove a symbolic link to a folder through the Win32 calls;
    // then the link and its folder stay and the removal says so.
    EXPECT_EQ(removed, !Exists(top));
    EXPECT_EQ(Exists(top + "\\link"), Exists(top));

    // The given folder itself a link: only the link is dealt with.
    if (Exists(top + "\\link")) {
        base::HoldPath((top + "\\link").c_str()).RemoveTree(base::Attributes::kNormal);
        EXPECT_TRUE(Exists(precious));
    }
}

TEST_F(RepairTest, ThreeLevelKeyTreeIsRemoved) {
    TestKey key(HKEY_CURRENT_USER, "Software");
    CreateKey(HKEY_CURRENT_USER, key / "Top\\Mid1\\Leaf1");
    CreateKey(HKEY_CURRENT_USER, key / "Top\\Mid1\\Leaf2");
    CreateKey(HKEY_CURRENT_USER, key / "Top\\Mid2\\Leaf3");
    SetStringValue(HKEY_CURRENT_USER, key / "Top\\Mid2\\Leaf3", "v", "x");
    EXPECT_EQ(engine::RemoveKeyTree(HKEY_CURRENT_USER, (key / "Top").c_str()), ERROR_SUCCESS);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, key / "Top"));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, key.path()));
    EXPECT_NE(engine::RemoveKeyTree(HKEY_CURRENT_USER, (key / "Top").c_str()), ERROR_SUCCESS) << "already gone";
}

TEST_F(RepairTest, SubkeyThatCannotBeDeletedStopsTheWalkAndFails) {
    // A subkey whose name the ANSI code page cannot hold: the ANSI walk sees
    // "?" and cannot remove it, so its parent stays and the item fails.
    TestKey key(HKEY_CURRENT_USER, "Software");
    CreateKey(HKEY_CURRENT_USER, key / "Top\\Mid");
    std::wstring wide(key.path().begin(), key.path().end());
    wide += L"\\Top\\Mid\\\x0E01\x0E02";
    HKEY h = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, wide.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &h, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(h);
    AdwareItem items[] = {Item(3, key / "Top")};
    std::string top = key / "Top";
    items[0].location = const_cast<char*>(top.c_str());
    EXPECT_EQ(engine.AdRepair(Result("x", items, 1)), 0);
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, key / "Top\\Mid"));
}

}  // namespace
