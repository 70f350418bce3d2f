// The updater's parts that need no window and no network.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "base/unique_handle.h"
#include "tests/support/registry_sandbox.h"
#include "tests/support/updater_fixture.h"
#include "updater/completion_event.h"
#include "updater/file_table.h"
#include "updater/freshen_texts.h"
#include "updater/install.h"
#include "updater/uninstall_entry.h"
#include "updater/main_program.h"
#include "updater/update_host.h"
#include "updater/version_compare.h"
#include "updater/version_record.h"
#include "base/sha256.h"

using namespace freshen;
using namespace freshen_test;

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

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

// The lowest serial accepted is the highest of the record's, the copy's and
// the built one: losing the record or the copy never lets an older one in.
TEST_F(VersionRecordTest, LowestAcceptedSerialNeverFallsBelowWhatIsKept) {
    ScratchInstallFolder folder("serial");
    const struct {
        const char* record;  // null: no value
        const char* copy;    // null: no file
        unsigned long built, lowest;
    } cases[] = {
        {nullptr, nullptr, 3, 3}, {"9", nullptr, 3, 9}, {nullptr, "8", 3, 8},
        {"4", "8", 3, 8},         {"12x", "x", 5, 5},   {"9", "8", 30, 30},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.record ? c.record : "-") + "/" + (c.copy ? c.copy : "-"));
        RegDeleteValueA(key_.get(), kSerialValue);
        DeleteFileA(kSerialCopyPath);
        if (c.record) SetRaw(kSerialValue, c.record, static_cast<DWORD>(strlen(c.record)));
        if (c.copy) ASSERT_TRUE(pvtest::WriteBytes(kSerialCopyPath, c.copy));
        EXPECT_EQ(LowestAcceptedSerial(key_.get(), c.built), c.lowest);
    }
    // Kept in the record where it can be written, else beside the updater.
    DeleteFileA(kSerialCopyPath);
    EXPECT_TRUE(KeepAcceptedSerial(key_.get(), 11));
    EXPECT_FALSE(pvtest::Exists(kSerialCopyPath));
    EXPECT_TRUE(KeepAcceptedSerial(nullptr, 12));
    EXPECT_EQ(pvtest::ReadBytes(kSerialCopyPath), "12");
    EXPECT_EQ(LowestAcceptedSerial(nullptr, 1), 12ul);
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

TEST(FileTable, EveryFileOnceWhatTheUpdaterHasLoadedInstalledFirst) {
    EXPECT_STREQ(Item(4).valueRead, "KordonDll.dll");
    EXPECT_STREQ(Item(4).serverFile, "Kordon.dll");
    EXPECT_STREQ(Item(4).installedAs, ".\\kordon.dll");
    EXPECT_EQ(FileText(Item(6), kFetchingSuffix), "Purvex.adb 파일 업데이트중...");
    const std::vector<int> order = InstallOrder();
    ASSERT_EQ(order.size(), static_cast<size_t>(kItemCount));
    EXPECT_STREQ(Item(order[0]).serverFile, "Freshen.exe");
    EXPECT_STREQ(Item(order[1]).serverFile, "PvFrame.dll");
    for (int n = 1; n <= kItemCount; ++n) EXPECT_EQ(std::count(order.begin(), order.end(), n), 1) << n;
}

// A staged file is installed only as it was announced, checked on its own
// handle: nobody else can change it meanwhile, and a change makes the whole
// step refuse before anything is touched.
TEST(Install, StagedFileIsCheckedAgainAndHeldAgainstOthers) {
    ScratchInstallFolder folder("staged");
    ASSERT_TRUE(pvtest::WriteBytes("purvex.adb", "old database"));
    WorkFolder work;
    ASSERT_TRUE(work.ok());
    std::vector<StagedFile> staged(2);
    const std::string bodies[] = {"new database", "new engine"};
    const int items[] = {6, 3};
    for (int i = 0; i < 2; ++i) {
        staged[i].item = items[i];
        staged[i].file = work.MakeFile(Item(items[i]).serverFile);
        ASSERT_TRUE(staged[i].file);
        DWORD put = 0;
        WriteFile(staged[i].file.get(), bodies[i].data(), static_cast<DWORD>(bodies[i].size()), &put, nullptr);
        base::Sha256 hash;
        hash.Update(bodies[i].data(), bodies[i].size());
        staged[i].expected = ExpectedFile{static_cast<unsigned long>(bodies[i].size()), hash.HexDigest()};
    }
    EXPECT_FALSE(base::UniqueFile(
        CreateFileA(".\\temp\\Purvex.adb", GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING, 0, nullptr)));
    EXPECT_FALSE(MoveFileA(".\\temp\\Purvex.adb", ".\\temp\\other.adb"));

    SetFilePointer(staged[1].file.get(), 0, nullptr, FILE_BEGIN);
    DWORD put = 0;
    WriteFile(staged[1].file.get(), "N", 1, &put, nullptr);
    InstallOutcome outcome = InstallStaged(work, staged);
    EXPECT_EQ(outcome.status, InstallStatus::kChanged);
    EXPECT_EQ(outcome.item, 3);
    EXPECT_EQ(pvtest::ReadBytes("purvex.adb"), "old database");
    EXPECT_FALSE(pvtest::Exists("purvex.dll"));

    staged.pop_back();
    EXPECT_EQ(InstallStaged(work, staged).status, InstallStatus::kInstalled);
    staged.clear();
    EXPECT_EQ(pvtest::ReadBytes("purvex.adb"), "new database");
    EXPECT_EQ(pvtest::ReadBytes("temp\\old\\Purvex.adb"), "old database") << "kept until the folder goes";
}

TEST(Install, LeftoversRemoved) {
    ScratchInstallFolder folder("leftovers");
    CreateDirectoryA("temp", nullptr);
    CreateDirectoryA("temp\\inner", nullptr);
    ASSERT_TRUE(pvtest::WriteBytes("temp\\inner\\x.bin", "x"));
    ASSERT_TRUE(pvtest::WriteBytes("temp\\Purvex.exe", "x"));
    ASSERT_TRUE(pvtest::WriteBytes("Purvex_Ver.txt", "[PURVEXEXE]\r\nVER=1\r\n"));
    ASSERT_TRUE(pvtest::WriteBytes("keep.txt", "k"));
    RemoveLeftovers();
    EXPECT_FALSE(pvtest::Exists("temp"));
    EXPECT_FALSE(pvtest::Exists("Purvex_Ver.txt"));
    EXPECT_TRUE(pvtest::Exists("keep.txt"));
}

// ".\temp" swapped for a link to someone's folder: nothing behind it goes, and
// the update works only in a folder of its own (Wine cannot remove such a
// link: there the update stops).
TEST(Install, WorkFolderNeverThroughALink) {
    ScratchInstallFolder folder("leftoverlink");
    pvtest::TempFolder outside("userfiles");
    ASSERT_TRUE(pvtest::WriteBytes(outside / "user.txt", "keep"));
    ASSERT_TRUE(pvtest::MakeFolderLink(".\\temp", outside.path()));
    {
        WorkFolder work;
        EXPECT_EQ(pvtest::ReadBytes(outside / "user.txt"), "keep");
        if (work.ok()) EXPECT_EQ(GetFileAttributesA(".\\temp") & FILE_ATTRIBUTE_REPARSE_POINT, 0u);
    }
    pvtest::RemoveFolderLink(".\\temp");
}

// The setup entry's version follows a new Purvex.exe only when the entry
// names this installation folder.
TEST(UninstallEntry, DisplayVersionOnlyForThisFolder) {
    pvtest::KeyBackup entry(HKEY_LOCAL_MACHINE, kUninstallKeyPath, pvtest::KeyBackup::kDelete);
    const struct {
        const char* location;
        bool updated;
    } cases[] = {{"c:\\program files\\PURVEX\\", true}, {"C:\\Program Files\\Purvex Old", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.location);
        ASSERT_TRUE(pvtest::SetValue(HKEY_LOCAL_MACHINE, kUninstallKeyPath, "InstallLocation", c.location + std::string(1, 0)));
        ASSERT_TRUE(pvtest::SetValue(HKEY_LOCAL_MACHINE, kUninstallKeyPath, "DisplayVersion", std::string("1.0.0.1", 8)));
        EXPECT_EQ(UpdateDisplayVersion("C:\\Program Files\\Purvex", "1.0.0.2"), c.updated);
        EXPECT_EQ(pvtest::ReadValue(HKEY_LOCAL_MACHINE, kUninstallKeyPath, "DisplayVersion").data,
                  std::string(c.updated ? "1.0.0.2" : "1.0.0.1", 8));
    }
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
    EXPECT_EQ(MainProgramName(true, "C:\\Program Files\\Purvex"), "C:\\Program Files\\Purvex\\Purvex.exe");
    EXPECT_EQ(MainProgramName(false, "C:\\Program Files\\Purvex"), "Purvex.exe");
}

TEST(MainProgram, DebugPrivilegeCanBeEnabled) { EXPECT_TRUE(EnableDebugPrivilege()); }

}  // namespace
