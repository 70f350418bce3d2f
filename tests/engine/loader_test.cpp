// The database loader through the exports, as the main program calls them.
#include <gtest/gtest.h>
#include <string.h>

#include "tests/support/engine_probe.h"
#include "tests/support/registry_sandbox.h"

namespace {

using namespace enginetest;

class LoaderTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(engine.ok()) << "Purvex.dll and its seven exports"; }
    TempFolder folder;  // outlives the engine, which keeps its database open
    Engine engine;
};

void PutInt32(std::vector<uint8_t>* b, int32_t v) {
    for (int s = 0; s < 32; s += 8) b->push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> s));
}

TEST_F(LoaderTest, VersionTextBeforeAnyLoad) {
    const char* version = engine.GetVer();
    ASSERT_NE(version, nullptr);
    EXPECT_STREQ(version, "2004.10.03.a");
    EXPECT_EQ(engine.GetVer(), version) << "the same static text on every call";
    EXPECT_EQ(engine.GetAdCount(), 0);
}

TEST_F(LoaderTest, LoadsRecordsInFileOrderAndUnloadEmpties) {
    std::string path = WriteDatabase(folder, {MakeRecord(10, "First", {}), MakeRecord(20, "Second", {})});
    ASSERT_EQ(engine.LoadADB(path.c_str()), 0);
    EXPECT_EQ(engine.GetAdCount(), 2);
    AdScanResult r = engine.AdScan(1);
    EXPECT_STREQ(r.name, "Second");
    EXPECT_EQ(r.id, -1) << "nothing found: id -1";
    EXPECT_EQ(r.foundCount, 0u);
    EXPECT_EQ(engine.UnloadADB(), 0);
    EXPECT_EQ(engine.GetAdCount(), 0);
}

TEST_F(LoaderTest, MissingFileAndWrongMagicFail) {
    EXPECT_EQ(engine.LoadADB((folder / "absent.adb").c_str()), -1);
    EXPECT_EQ(engine.GetAdCount(), 0);
    EXPECT_EQ(engine.LoadADB(nullptr), -1);
    std::vector<uint8_t> lineFeed = {'A', 'D', '\n', 'B', 0, 0, 0, 0};
    WriteBytes(folder / "lf.adb", lineFeed);
    EXPECT_EQ(engine.LoadADB((folder / "lf.adb").c_str()), -1);
    WriteText(folder / "text.adb", "MZP");
    EXPECT_EQ(engine.LoadADB((folder / "text.adb").c_str()), -1);
    EXPECT_EQ(engine.GetAdCount(), 0);
}

TEST_F(LoaderTest, MagicInMixedCaseAndZeroCount) {
    std::vector<uint8_t> b = {'a', 'D', 'b'};
    PutInt32(&b, 0);
    WriteBytes(folder / "zero.adb", b);
    EXPECT_EQ(engine.LoadADB((folder / "zero.adb").c_str()), 0);
    EXPECT_EQ(engine.GetAdCount(), 0);
}

TEST_F(LoaderTest, LyingRecordCountInTwentyByteFileLoads) {
    std::vector<uint8_t> b = {'A', 'D', 'B'};
    PutInt32(&b, 2000000000);
    b.insert(b.end(), {5, 0, 0, 0, 0x30, 0, 1, 0x20, 0, 0, 0, 0, 0});
    ASSERT_EQ(b.size(), 20u);
    WriteBytes(folder / "lying.adb", b);
    ASSERT_EQ(engine.LoadADB((folder / "lying.adb").c_str()), 0);
    int32_t count = engine.GetAdCount();
    EXPECT_GE(count, 1);
    EXPECT_LE(count, 13) << "only records that begin inside the file";
    for (int32_t i = 0; i < count; ++i) {
        AdScanResult r = engine.AdScan(i);
        ASSERT_NE(r.name, nullptr);
        EXPECT_EQ(r.id, -1);
    }
}

TEST_F(LoaderTest, OverlongNameComesBackEmptyNeverNull) {
    // 255 name characters: the reader gives up and reads the rest as fields.
    std::vector<uint8_t> b = {'A', 'D', 'B'};
    PutInt32(&b, 1);
    PutInt32(&b, 3);
    for (int i = 0; i < 255; ++i) b.push_back(0x41);
    b.push_back(0);
    b.push_back(0);
    WriteBytes(folder / "long.adb", b);
    ASSERT_EQ(engine.LoadADB((folder / "long.adb").c_str()), 0);
    ASSERT_GE(engine.GetAdCount(), 1);
    AdScanResult r = engine.AdScan(0);
    ASSERT_NE(r.name, nullptr);
    EXPECT_STREQ(r.name, "");
}

TEST_F(LoaderTest, ExactlyMaximalNameLoadsWhole) {
    std::string name(254, 'n');
    name[176] = 'm';  // 'n' at position 176 would store a zero byte
    std::string path = WriteDatabase(folder, {MakeRecord(1, name, {})});
    ASSERT_EQ(engine.LoadADB(path.c_str()), 0);
    AdScanResult r = engine.AdScan(0);
    EXPECT_EQ(strlen(r.name), 254u);
    EXPECT_EQ(std::string(r.name), name);
}

TEST_F(LoaderTest, SecondLoadReplacesTheFirst) {
    std::string one = WriteDatabase(folder, {MakeRecord(1, "a", {})}, "one.adb");
    std::string three = WriteDatabase(folder, {MakeRecord(1, "a", {}), MakeRecord(2, "b", {}), MakeRecord(3, "c", {})},
                                      "three.adb");
    ASSERT_EQ(engine.LoadADB(three.c_str()), 0);
    ASSERT_EQ(engine.LoadADB(one.c_str()), 0);
    EXPECT_EQ(engine.GetAdCount(), 1);
}

TEST_F(LoaderTest, OutOfRangeIndexGivesAnEmptyResult) {
    std::string path = WriteDatabase(folder, {MakeRecord(1, "a", {})});
    ASSERT_EQ(engine.LoadADB(path.c_str()), 0);
    for (int32_t index : {-1, 1, 1000}) {
        AdScanResult r = engine.AdScan(index);
        EXPECT_EQ(r.id, -1);
        ASSERT_NE(r.name, nullptr);
        EXPECT_STREQ(r.name, "");
        EXPECT_EQ(r.foundCount, 0u);
    }
}

TEST_F(LoaderTest, FileLargerThanTheLimitIsRefused) {
    std::vector<uint8_t> b = {'A', 'D', 'B'};
    PutInt32(&b, 0);
    b.resize(8u * 1024 * 1024 + 1, 0);
    WriteBytes(folder / "big.adb", b);
    EXPECT_EQ(engine.LoadADB((folder / "big.adb").c_str()), -1);
}

TEST_F(LoaderTest, SetStartPageWritesStringWithTerminator) {
    const char* key = "Software\\Microsoft\\Internet Explorer\\Main";
    CreateKey(HKEY_CURRENT_USER, key);
    HKEY h = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_ALL_ACCESS, &h), ERROR_SUCCESS);
    BYTE saved[1024];
    DWORD savedSize = sizeof(saved);
    bool hadValue = RegQueryValueExA(h, "Start Page", nullptr, nullptr, saved, &savedSize) == ERROR_SUCCESS;
    EXPECT_EQ(engine.SetStartPage(""), 1);
    char data[32];
    memset(data, 0x7E, sizeof(data));
    DWORD size = sizeof(data), type = 0;
    EXPECT_EQ(RegQueryValueExA(h, "Start Page", nullptr, &type, reinterpret_cast<BYTE*>(data), &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(size, 1u) << "an empty text is stored as its terminator";
    EXPECT_EQ(data[0], 0);
    EXPECT_EQ(data[1], 0x7E);
    EXPECT_EQ(engine.SetStartPage("http://example.com/"), 1);
    size = sizeof(data);
    EXPECT_EQ(RegQueryValueExA(h, "Start Page", nullptr, &type, reinterpret_cast<BYTE*>(data), &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 20u);
    EXPECT_STREQ(data, "http://example.com/");
    EXPECT_EQ(engine.SetStartPage(nullptr), 0);
    if (hadValue) RegSetValueExA(h, "Start Page", 0, REG_SZ, saved, savedSize);
    RegCloseKey(h);
}

TEST_F(LoaderTest, SetStartPageNeverWritesThroughARegistryLink) {
    const char* mainKey = "Software\\Microsoft\\Internet Explorer\\Main";
    pvtest::KeyBackup saved(HKEY_CURRENT_USER, mainKey, pvtest::KeyBackup::kDelete);
    pvtest::TestKey sentinel(HKEY_CURRENT_USER, "Software");
    ASSERT_TRUE(pvtest::MakeKeyLink(HKEY_CURRENT_USER, mainKey, HKEY_CURRENT_USER, sentinel.path()));
    EXPECT_EQ(engine.SetStartPage("http://example.com/"), 0);
    EXPECT_FALSE(pvtest::ReadValue(HKEY_CURRENT_USER, sentinel.path(), "Start Page").present);
}

}  // namespace
