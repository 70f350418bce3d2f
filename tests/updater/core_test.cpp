// The updater's parts that need no window and no network.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "base/unique_handle.h"
#include "tests/support/registry_sandbox.h"
#include "tests/support/updater_fixture.h"
#include "updater/completion_event.h"
#include "updater/file_table.h"
#include "updater/install.h"
#include "updater/main_program.h"
#include "updater/update_host.h"
#include "updater/version_compare.h"
#include "updater/version_record.h"
#include "base/sha256.h"

using namespace freshen;
using namespace freshen_test;

namespace {

// Whether a server's version text is newer than the installed one: the bytes
// compare as they stand.
struct NewerCase {
    const char* server;
    const char* installed;
    bool newer;
};
const NewerCase kNewerCases[] = {
    // Dates compare as bytes.
    {"2004.10.07", "2004.10.06", true},
    {"2004.10.06", "2004.10.07", false},
    {"2004.10.06", "2004.10.06", false},
    // No numbers are read out.
    {"1.10", "1.9", false},
    {"1.9", "1.10", true},
    {"1.01c", "1.0a", false},
    {"1.0a", "1.01c", true},
    // Nothing is ignored or folded: linguistic comparison would ignore the
    // hyphen and order "a" before "B".
    {"12", "1-2", true},
    {"1.0a", "1.0B", true},
    {"1.0A", "1.0a", false},
    {"1.0a", "1.0", true},
    // Empty texts.
    {"", "1.0a", false},
    {"", "", false},
    {"1.0a", "", true},
};

TEST(VersionCompare, BytesCompareAsTheyStand) {
    for (const NewerCase& c : kNewerCases) {
        SCOPED_TRACE(std::string("\"") + c.server + "\" against \"" + c.installed + "\"");
        EXPECT_EQ(IsNewer(c.server, c.installed), c.newer);
    }
}

TEST(VersionCompare, DoubleByteCharactersSortAfterSingleBytes) {
    EXPECT_TRUE(IsNewer("1.0가", "1.0z"));  // lead byte 0xB0 above every single-byte character
    EXPECT_TRUE(IsNewer("1.0나", "1.0가"));
    EXPECT_LT(CompareVersionBytes("가", "각"), 0);
}

class VersionRecordTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, sandbox_.path().c_str(), 0, KEY_ALL_ACCESS, key_.put()),
                  ERROR_SUCCESS);
    }
    // Stores size bytes of text; a guard byte after them keeps RegSetValueExA
    // from counting a following zero as the terminator.
    void SetRaw(const char* name, const char* text, DWORD size) {
        std::string guarded(text, size);
        guarded += '#';
        ASSERT_EQ(RegSetValueExA(key_.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(guarded.data()), size),
                  ERROR_SUCCESS);
        BYTE data[64];
        DWORD stored = sizeof data;
        ASSERT_EQ(RegQueryValueExA(key_.get(), name, nullptr, nullptr, data, &stored), ERROR_SUCCESS);
        ASSERT_EQ(stored, size) << "stored as given";
    }
    pvtest::TestKey sandbox_{HKEY_CURRENT_USER, "Software"};
    base::UniqueHKey key_;  // closed before the key goes
};

TEST_F(VersionRecordTest, ValueWithoutTerminatorReadsExactly) {
    SetRaw("PurvexADB", "2004.10.06", 10);
    VersionText text;
    std::memset(text, 'x', sizeof text);
    ReadInstalledVersion(key_.get(), "PurvexADB", text);
    EXPECT_STREQ(text, "2004.10.06");
    for (int i = 10; i < kVersionSize; ++i) EXPECT_EQ(text[i], '\0') << "byte " << i;
}

TEST_F(VersionRecordTest, NineteenCharactersReadWhole) {
    SetRaw("purvex.exe", "1234567890123456789", 19);
    VersionText text;
    ReadInstalledVersion(key_.get(), "Purvex.exe", text);
    EXPECT_STREQ(text, "1234567890123456789");
    SetRaw("purvex.exe", "1234567890123456789\0", 20);  // with its terminator
    ReadInstalledVersion(key_.get(), "purvex.exe", text);
    EXPECT_STREQ(text, "1234567890123456789");
}

TEST_F(VersionRecordTest, LongerValueGivesFirstNineteen) {
    SetRaw("KordonADB", "abcdefghijklmnopqrstuvwxyz", 26);
    VersionText text;
    ReadInstalledVersion(key_.get(), "KordonADB", text);
    EXPECT_STREQ(text, "abcdefghijklmnopqrs");
    EXPECT_EQ(text[19], '\0');
}

TEST_F(VersionRecordTest, MissingValueOrKeyIsEmpty) {
    VersionText text;
    std::memset(text, 'x', sizeof text);
    ReadInstalledVersion(key_.get(), "Chronik.dll", text);
    EXPECT_STREQ(text, "");
    std::memset(text, 'x', sizeof text);
    ReadInstalledVersion(nullptr, "Chronik.dll", text);
    EXPECT_STREQ(text, "");
}

TEST_F(VersionRecordTest, WriteStoresTextOfItsLength) {
    ASSERT_TRUE(WriteInstalledVersion(key_.get(), "KordonDll.dll", "1.0b"));
    BYTE data[32];
    DWORD size = sizeof data, type = 0;
    ASSERT_EQ(RegQueryValueExA(key_.get(), "KordonDll.dll", nullptr, &type, data, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    // Stored with the text's length and no terminator.
    ASSERT_EQ(size, 4u);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(data), 4), "1.0b");
    VersionText text;
    ReadInstalledVersion(key_.get(), "KordonDll.dll", text);
    EXPECT_STREQ(text, "1.0b");
    EXPECT_FALSE(WriteInstalledVersion(nullptr, "KordonDll.dll", "1.0b"));
}

TEST_F(VersionRecordTest, AcceptedSerial) {
    EXPECT_EQ(ReadAcceptedSerial(key_.get()), 0ul) << "none accepted yet";
    ASSERT_TRUE(WriteAcceptedSerial(key_.get(), 4294967295ul));
    EXPECT_EQ(ReadAcceptedSerial(key_.get()), 4294967295ul);
    for (const char* unreadable : {"4294967296", "12x", ""}) {
        SetRaw("UpdateSerial", unreadable, static_cast<DWORD>(strlen(unreadable)));
        EXPECT_EQ(ReadAcceptedSerial(key_.get()), 0ul) << unreadable;
    }
}

TEST(UpdateHost, DefaultAndOverride) {
    pvtest::EnvironmentOverride host(kUpdateHostVariable, nullptr);
    EXPECT_EQ(UpdateHost(), kDefaultUpdateHost);
    EXPECT_EQ(UpdateUrl("Purvex_Ver.txt"), std::string("http://") + kDefaultUpdateHost + "/pg_update/Purvex_Up/Purvex_Ver.txt");
    host.Set("127.0.0.1:8080");
    EXPECT_EQ(UpdateUrl("Kordon.dll"), "http://127.0.0.1:8080/pg_update/Purvex_Up/Kordon.dll");
    host.Set("mirror.example/evil path");
    EXPECT_EQ(UpdateHost(), kDefaultUpdateHost);
    host.Set("");
    EXPECT_EQ(UpdateHost(), kDefaultUpdateHost);
}

TEST(Sha256, KnownDigests) {
    base::Sha256 empty;
    EXPECT_EQ(empty.HexDigest(), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    base::Sha256 abc;
    abc.Update("a", 1);
    abc.Update("bc", 2);
    EXPECT_EQ(abc.HexDigest(), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    // FIPS 180-2's million a's, in pieces across block boundaries.
    base::Sha256 million;
    const std::string piece(999, 'a');
    for (int i = 0; i <= 1001; ++i) million.Update(piece.data(), i == 1001 ? 1 : piece.size());
    EXPECT_EQ(million.HexDigest(), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

TEST(FileTable, OrderNamesAndInstallOrder) {
    EXPECT_STREQ(Item(1).section, "PURVEXEXE");
    EXPECT_STREQ(Item(4).valueRead, "KordonDll.dll");
    EXPECT_STREQ(Item(4).serverFile, "Kordon.dll");
    EXPECT_STREQ(Item(4).installedAs, ".\\kordon.dll");
    EXPECT_STREQ(Item(6).statusText, "Purvex.adb 파일 업데이트중...");
    const int expected[] = {1, 3, 6, 2, 4, 5};
    for (int i = 0; i < kItemCount; ++i) EXPECT_EQ(kInstallOrder[i], expected[i]);
}

TEST(Install, ReplacesWholeFileInOneStep) {
    ScratchInstallFolder folder("replace");
    ASSERT_TRUE(pvtest::WriteBytes("purvex.dll", "old"));
    CreateDirectoryA("temp", nullptr);
    ASSERT_TRUE(pvtest::WriteBytes("temp\\Purvex.dll", "new contents"));
    EXPECT_TRUE(ReplaceInstalledFile(".\\temp\\Purvex.dll", ".\\purvex.dll"));
    EXPECT_EQ(pvtest::ReadBytes("purvex.dll"), "new contents");
    EXPECT_FALSE(pvtest::Exists("temp\\Purvex.dll"));
    // A missing new file leaves the installed one as it was.
    EXPECT_FALSE(ReplaceInstalledFile(".\\temp\\Purvex.dll", ".\\purvex.dll"));
    EXPECT_EQ(pvtest::ReadBytes("purvex.dll"), "new contents");
}

TEST(Install, OnlyWhatThisUpdateFetchedKordonUnderItsOwnName) {
    ScratchInstallFolder folder("kordon");
    CreateDirectoryA("temp", nullptr);
    ASSERT_TRUE(pvtest::WriteBytes("temp\\Kordon.dll", "library"));
    ASSERT_TRUE(pvtest::WriteBytes("temp\\Purvex.adb", "database"));
    ASSERT_TRUE(pvtest::WriteBytes("temp\\Purvex.exe", "left by an earlier update"));
    const bool fetched[kItemCount] = {false, false, false, true, false, true};
    bool installed[kItemCount] = {};
    EXPECT_EQ(InstallFetchedFiles(fetched, installed), 2);
    EXPECT_EQ(pvtest::ReadBytes(".\\kordon.dll"), "library");
    EXPECT_EQ(pvtest::ReadBytes(".\\purvex.adb"), "database");
    EXPECT_FALSE(pvtest::Exists(".\\purvex.exe"));
    for (int i = 0; i < kItemCount; ++i) EXPECT_EQ(installed[i], fetched[i]) << i;
}

TEST(Install, LeftoversRemoved) {
    ScratchInstallFolder folder("leftovers");
    CreateDirectoryA("temp", nullptr);
    CreateDirectoryA("temp\\inner", nullptr);
    ASSERT_TRUE(pvtest::WriteBytes("temp\\inner\\x.bin", "x"));
    ASSERT_TRUE(pvtest::WriteBytes("temp\\Purvex.exe", "x"));
    ASSERT_TRUE(pvtest::WriteBytes("Purvex_Ver.txt", "[PURVEXEXE]\r\nVER=1\r\n"));
    ASSERT_TRUE(pvtest::WriteBytes("keep.txt", "k"));
    RemoveLeftovers(nullptr);
    EXPECT_FALSE(pvtest::Exists("temp"));
    EXPECT_FALSE(pvtest::Exists("Purvex_Ver.txt"));
    EXPECT_TRUE(pvtest::Exists("keep.txt"));
}

// ".\temp" swapped for a link to someone's folder: nothing behind it goes.
TEST(Install, LeftoversNeverRemovedThroughALink) {
    ScratchInstallFolder folder("leftoverlink");
    pvtest::TempFolder outside("userfiles");
    ASSERT_TRUE(pvtest::WriteBytes(outside / "user.txt", "keep"));
    ASSERT_TRUE(pvtest::MakeFolderLink(".\\temp", outside.path()));
    RemoveLeftovers(nullptr);
    EXPECT_EQ(pvtest::ReadBytes(outside / "user.txt"), "keep");
    pvtest::RemoveFolderLink(".\\temp");
}

TEST(CompletionEvent, CompletionBeforeWaitIsNotMissed) {
    CompletionEvent done;
    ASSERT_TRUE(done.valid());
    done.Signal();
    done.Wait();  // would never return if the completion had been lost
    // Automatic reset: the wait consumed it.
    EXPECT_EQ(WaitForSingleObject(done.handle(), 0), static_cast<DWORD>(WAIT_TIMEOUT));
}

TEST(MainProgram, NameByPlatformFamily) {
    EXPECT_EQ(MainProgramName(VER_PLATFORM_WIN32_WINDOWS, "C:\\Program Files\\Purvex"),
              "C:\\Program Files\\Purvex\\Purvex.exe");
    EXPECT_EQ(MainProgramName(VER_PLATFORM_WIN32_NT, "C:\\Program Files\\Purvex"), "Purvex.exe");
    EXPECT_EQ(MainProgramName(VER_PLATFORM_WIN32s, "C:\\x"), "");
    EXPECT_EQ(MainProgramName(3, "C:\\x"), "");
}

TEST(MainProgram, DebugPrivilegeCanBeEnabled) { EXPECT_TRUE(EnableDebugPrivilege()); }

}  // namespace
