// ftool_AdScan on real files, folders, keys and values in the Wine prefix.
#include <gtest/gtest.h>
#include <string.h>

#include "base/wow64.h"
#include "tests/support/engine_probe.h"

namespace {

using namespace enginetest;

class ScanTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(engine.ok()); }
    AdScanResult ScanOne(const std::vector<adb::Item>& items, const std::string& name = "Sample") {
        std::string path = WriteDatabase(folder, {MakeRecord(99, name, items)});
        EXPECT_EQ(engine.LoadADB(path.c_str()), 0);
        return engine.AdScan(0);
    }
    TempFolder folder;  // outlives the engine, which keeps its database open
    Engine engine;
};

struct RootCase {
    HKEY root;
    const char* parent;
    uint8_t keyCode;
    uint8_t valueCode;
};
const RootCase kRoots[] = {
    {HKEY_CLASSES_ROOT, "", 2, 7},  {HKEY_CURRENT_USER, "Software", 3, 8}, {HKEY_LOCAL_MACHINE, "Software", 4, 9},
    {HKEY_USERS, "", 5, 17},        {HKEY_CURRENT_CONFIG, "", 6, 18},
};

TEST_F(ScanTest, FileInSystemFolderThroughSysVariable) {
    char system[MAX_PATH], system32Bit[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    GetSystemWow64DirectoryA(system32Bit, MAX_PATH);
    AdScanResult r = ScanOne({MakeItem(0, "%sys%", "kernel32.dll"), MakeItem(0, "%sys%", "no_such_purvex.dll")});
    EXPECT_EQ(r.id, 99);
    // Under WOW64 both system folders hold a kernel32.dll: one place each.
    const bool wow64 = base::RunsUnderWow64();
    ASSERT_EQ(r.foundCount, wow64 ? 2u : 1u);
    EXPECT_STREQ(r.items[0].location, (std::string(wow64 ? system32Bit : system) + "\\kernel32.dll").c_str());
    EXPECT_STREQ(r.items[r.foundCount - 1].location, (std::string(system) + "\\kernel32.dll").c_str());
    EXPECT_STREQ(r.items[0].target, "kernel32.dll");
    EXPECT_EQ(r.items[0].type, 0);
}

TEST_F(ScanTest, FoldersAreCheckedAndCurrentDirectoryRestored) {
    CreateDirectoryA((folder / "Adware").c_str(), nullptr);
    char before[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, before);
    AdScanResult r = ScanOne({MakeItem(1, folder / "Adware"), MakeItem(1, folder / "Gone"),
                              MakeItem(33, folder / "Adware")});
    char after[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, after);
    EXPECT_STREQ(after, before);
    ASSERT_EQ(r.foundCount, 2u);
    EXPECT_EQ(r.items[0].type, 1);
    EXPECT_EQ(r.items[1].type, 33);
    EXPECT_STREQ(r.items[1].location, (folder / "Adware").c_str());
}

TEST_F(ScanTest, EmptyFileTargetTestsTheFolderWithBackslash) {
    AdScanResult r = ScanOne({MakeItem(0, folder.path(), ""), MakeItem(0, folder / "Gone", "")});
    ASSERT_EQ(r.foundCount, 1u);
    EXPECT_STREQ(r.items[0].location, (folder.path() + "\\").c_str());
}

TEST_F(ScanTest, QuotedTargetIsNormalisedToTheBareProgram) {
    WriteText(folder / "prog.exe", "x");
    AdScanResult r = ScanOne({MakeItem(0, folder.path(), "\"prog.exe\" /silent")});
    ASSERT_EQ(r.foundCount, 1u);
    EXPECT_STREQ(r.items[0].target, "prog.exe");
    EXPECT_STREQ(r.items[0].location, (folder / "prog.exe").c_str());
}

TEST_F(ScanTest, KeysUnderEveryRoot) {
    for (const RootCase& c : kRoots) {
        TestKey key(c.root, c.parent);
        AdScanResult r = ScanOne({MakeItem(c.keyCode, key.path()), MakeItem(c.keyCode, key / "Absent")});
        ASSERT_EQ(r.foundCount, 1u) << int(c.keyCode);
        EXPECT_STREQ(r.items[0].location, key.path().c_str());
        engine.UnloadADB();
    }
}

TEST_F(ScanTest, ValuesUnderEveryRootMissingLongAndDefault) {
    for (const RootCase& c : kRoots) {
        TestKey key(c.root, c.parent);
        SetStringValue(c.root, key.path(), "Present", "data");
        SetBinaryValue(c.root, key.path(), "Exactly260", 260);
        SetBinaryValue(c.root, key.path(), "Long300", 300);
        AdScanResult r = ScanOne({MakeItem(c.valueCode, key.path(), "Present"),
                                  MakeItem(c.valueCode, key.path(), "Missing"),
                                  MakeItem(c.valueCode, key.path(), "Long300"),
                                  MakeItem(c.valueCode, key.path(), "Exactly260"),
                                  MakeItem(c.valueCode, key.path(), ""),
                                  MakeItem(c.valueCode, key / "NoKey", "Present")});
        ASSERT_EQ(r.foundCount, 2u) << int(c.valueCode);
        EXPECT_STREQ(r.items[0].target, "Present");
        EXPECT_STREQ(r.items[1].target, "Exactly260");
        engine.UnloadADB();

        SetStringValue(c.root, key.path(), "", "default");
        r = ScanOne({MakeItem(c.valueCode, key.path(), "")});
        EXPECT_EQ(r.foundCount, 1u) << "an empty target reads the default value, code " << int(c.valueCode);
        engine.UnloadADB();
    }
}

TEST_F(ScanTest, UndefinedCodesAreNeverFound) {
    TestKey key(HKEY_CURRENT_USER, "Software");
    SetStringValue(HKEY_CURRENT_USER, key.path(), "v", "x");
    std::vector<adb::Item> items = {MakeItem(1, folder.path())};  // present, so companions could follow
    for (int code : {10, 11, 12, 13, 14, 15, 16, 19, 25, 31, 42, 45, 47, 50, 128, 255})
        items.push_back(MakeItem(static_cast<uint8_t>(code), key.path(), "v"));
    AdScanResult r = ScanOne(items);
    ASSERT_EQ(r.foundCount, 1u);
    EXPECT_EQ(r.items[0].type, 1);
}

TEST_F(ScanTest, UncheckedCodesFollowThePresentItemBeforeThem) {
    AdScanResult r = ScanOne({MakeItem(1, folder.path()), MakeItem(32, folder / "a.exe"),
                              MakeItem(36, "Software\\Anything"), MakeItem(1, folder / "Gone"),
                              MakeItem(41, "Software\\X", "v"), MakeItem(12, "x"), MakeItem(39, "y", "z")});
    ASSERT_EQ(r.foundCount, 3u);
    EXPECT_EQ(r.items[0].type, 1);
    EXPECT_EQ(r.items[1].type, 32);
    EXPECT_STREQ(r.items[1].location, (folder / "a.exe").c_str()) << "code 32 is a full path";
    EXPECT_EQ(r.items[2].type, 36);
}

TEST_F(ScanTest, RecordWithEveryItemAbsent) {
    AdScanResult r = ScanOne({MakeItem(1, folder / "x"), MakeItem(3, "Software\\PurvexNoSuchKey")}, "Nothing");
    EXPECT_EQ(r.id, -1);
    EXPECT_STREQ(r.name, "Nothing");
    EXPECT_EQ(r.foundCount, 0u);
}

TEST_F(ScanTest, EmptyKeyLocationNeverCountsAsTheWholeRoot) {
    AdScanResult r = ScanOne({MakeItem(3, ""), MakeItem(4, "\\")});
    EXPECT_EQ(r.foundCount, 0u);
}

TEST_F(ScanTest, RescanChecksAgainAfterTheTraceIsGone) {
    std::string file = folder / "trace.dll";
    WriteText(file, "x");
    std::string path = WriteDatabase(folder, {MakeRecord(5, "Trace", {MakeItem(0, folder.path(), "trace.dll")})});
    ASSERT_EQ(engine.LoadADB(path.c_str()), 0);
    AdScanResult first = engine.AdScan(0);
    ASSERT_EQ(first.foundCount, 1u);
    ASSERT_TRUE(DeleteFileA(file.c_str()));
    AdScanResult second = engine.AdScan(0);
    EXPECT_EQ(second.id, -1);
    EXPECT_EQ(second.foundCount, 0u);
    EXPECT_STREQ(first.items[0].location, file.c_str()) << "earlier results stay valid until unload";
    WriteText(file, "x");
    EXPECT_EQ(engine.AdScan(0).foundCount, 1u);
}

TEST_F(ScanTest, OverlongResolvedPathCountsAsAbsent) {
    std::string longName(200, 'n');
    longName[176] = 'm';  // 'n' there would store a zero byte
    AdScanResult r = ScanOne({MakeItem(0, "%sys%\\" + std::string(50, 'd'), longName)});
    EXPECT_EQ(r.foundCount, 0u);
}

}  // namespace
