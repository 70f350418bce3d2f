// The seven cleaners against the prefix's own keys, folders and key security.
// Each test saves the fixed keys and folders it touches and puts them back;
// they hold the record_keys lock.
#include "app/records/record_cleaners.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include "base/unique_handle.h"
#include "tests/support/records_sandbox.h"

namespace {

using namespace recordstest;
using pvtest::FileExists;
using pvtest::FolderBackup;
using pvtest::FolderExists;
using pvtest::KeyExists;
using pvtest::ReadBytes;
using pvtest::ReadValue;
using pvtest::SetValue;
using pvtest::WriteBytes;

std::string Text(const char* text) { return std::string(text, strlen(text) + 1); }  // with its terminator

// The history and Recent folders set aside for the test, empty in between.
struct RecordFolders {
    FolderBackup windowsHistory{WindowsHistoryFolder()};
    FolderBackup shellHistory{ShellFolder(CSIDL_HISTORY)};
    FolderBackup recent{ShellFolder(CSIDL_RECENT)};
    bool ok() const { return windowsHistory.ok() && shellHistory.ok() && recent.ok(); }
};

// An index.dat of 300 recognisable bytes, held open the way the system holds
// its live index files (no deletion shared), so it survives its deletion.
struct HeldIndexFile {
    explicit HeldIndexFile(const std::string& path) : path(path) {
        for (int i = 0; i < 300; ++i) bytes.push_back(static_cast<char>('A' + i % 26));
        if (WriteBytes(path, bytes))
            held.reset(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                   OPEN_EXISTING, 0, nullptr));
    }
    std::string Wiped() const { return bytes.substr(0, 64) + std::string(bytes.size() - 64, '\0'); }
    std::string path, bytes;
    base::UniqueFile held;
};

// A link planted for a test, removed while its target is still there.
struct PlantedLink {
    explicit PlantedLink(std::string path) : path(std::move(path)) {}
    ~PlantedLink() { pvtest::RemoveFolderLink(path); }
    std::string path;
};

TEST(RecordCleaners, RunHistoryKeepsOnlyMRUListWithItsText) {
    RecordKeysBackup keys;
    ASSERT_TRUE(SetValue(HKEY_CURRENT_USER, kRunMru, "a", Text("notepad\\1")));
    ASSERT_TRUE(SetValue(HKEY_CURRENT_USER, kRunMru, "b", Text("cmd\\1")));
    ASSERT_TRUE(SetValue(HKEY_CURRENT_USER, kRunMru, "MRUList", Text("ba")));
    records::CleanRunMru();
    EXPECT_FALSE(ReadValue(HKEY_CURRENT_USER, kRunMru, "a").present);
    EXPECT_FALSE(ReadValue(HKEY_CURRENT_USER, kRunMru, "b").present);
    EXPECT_EQ(ReadValue(HKEY_CURRENT_USER, kRunMru, "MRUList").data, Text("ba")) << "still names the deleted values";
}

TEST(RecordCleaners, PlayerHistoryLosesEveryValueAndKeepsTheKey) {
    RecordKeysBackup keys;
    ASSERT_TRUE(SetValue(HKEY_CURRENT_USER, kPlayerFiles, "File0", Text("C:\\song.mp3")));
    ASSERT_TRUE(SetValue(HKEY_CURRENT_USER, kPlayerFiles, "MRUList", Text("0")));
    records::CleanPlayerHistory();
    EXPECT_FALSE(ReadValue(HKEY_CURRENT_USER, kPlayerFiles, "File0").present);
    EXPECT_FALSE(ReadValue(HKEY_CURRENT_USER, kPlayerFiles, "MRUList").present);
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, kPlayerFiles));
}

// History\{desktop.ini, index.dat (in use), readonly.txt, History.IE5\{index.dat,
// desktop.ini}, Old\visited.txt, link -> Outside\precious.txt}, in both history folders.
TEST(RecordCleaners, VisitHistoryEmptiesBothHistoryFoldersAndWipesTheIndexFiles) {
    RecordFolders folders;
    ASSERT_TRUE(folders.ok());
    pvtest::TempFolder outside;
    ASSERT_TRUE(WriteBytes(outside / "precious.txt", "keep"));
    for (FolderBackup* history : {&folders.windowsHistory, &folders.shellHistory}) {
        SCOPED_TRACE(history->path());
        ASSERT_TRUE(WriteBytes(*history / "desktop.ini", "[.ShellClassInfo]"));
        ASSERT_TRUE(WriteBytes(*history / "readonly.txt", "x"));
        ASSERT_TRUE(SetFileAttributesA((*history / "readonly.txt").c_str(), FILE_ATTRIBUTE_READONLY));
        ASSERT_TRUE(pvtest::MakeFolders(*history / "History.IE5") && pvtest::MakeFolders(*history / "Old"));
        ASSERT_TRUE(WriteBytes(*history / "History.IE5\\INDEX.DAT", std::string(100, 'i')));
        ASSERT_TRUE(WriteBytes(*history / "History.IE5\\desktop.ini", "x"));
        ASSERT_TRUE(WriteBytes(*history / "Old\\visited.txt", "x"));
        PlantedLink link(*history / "link");
        ASSERT_TRUE(pvtest::MakeFolderLink(link.path, outside.path()));
        HeldIndexFile index(*history / "index.dat");
        ASSERT_TRUE(index.held);

        records::CleanVisitHistory();
        EXPECT_TRUE(FileExists(*history / "desktop.ini"));
        EXPECT_TRUE(FileExists(*history / "History.IE5\\desktop.ini")) << "its folder stays with it";
        EXPECT_FALSE(FileExists(*history / "History.IE5\\INDEX.DAT"));
        EXPECT_FALSE(FileExists(*history / "readonly.txt"));
        EXPECT_FALSE(FolderExists(*history / "Old"));
        EXPECT_EQ(ReadBytes(index.path), index.Wiped()) << "in use: size and first 64 bytes kept";
        EXPECT_EQ(ReadBytes(outside / "precious.txt"), "keep");
        EXPECT_TRUE(!FolderExists(link.path) || pvtest::IsLink(link.path)) << "removed as a link or left one";
    }
}

TEST(RecordCleaners, RecentDocumentsEmptiesRecentAndOnlyDeletesItsIndexFile) {
    RecordKeysBackup keys;
    RecordFolders folders;
    ASSERT_TRUE(folders.ok());
    ASSERT_TRUE(WriteBytes(folders.recent / "desktop.ini", "[.ShellClassInfo]"));
    ASSERT_TRUE(WriteBytes(folders.recent / "letter.doc.lnk", "L"));
    ASSERT_TRUE(SetValue(HKEY_CURRENT_USER, std::string(kRecentDocs) + "\\.doc", "0", "x", REG_BINARY));
    {
        HeldIndexFile index(folders.recent / "index.dat");
        ASSERT_TRUE(index.held);
        records::CleanRecentDocs();
        EXPECT_EQ(ReadBytes(index.path), index.bytes) << "in use, so it stays, and it is not wiped";
    }
    records::CleanRecentDocs();
    EXPECT_FALSE(FileExists(folders.recent / "index.dat"));
    EXPECT_FALSE(FileExists(folders.recent / "letter.doc.lnk"));
    EXPECT_TRUE(FileExists(folders.recent / "desktop.ini"));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kRecentDocs));
}

// "User Shell Folders" sending Recent to the profile (the one this process
// knows: a sandbox), to a drive root (a drive mapped to a sandbox) or to a
// link: none of them is emptied.
TEST(RecordCleaners, RecentSentToTheProfileADriveRootOrALinkIsNotEmptied) {
    RecordKeysBackup keys;
    pvtest::KeyBackup shellFolders(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders");
    pvtest::TempFolder profile("profile"), elsewhere("elsewhere");
    for (const pvtest::TempFolder* folder : {&profile, &elsewhere}) ASSERT_TRUE(WriteBytes(*folder / "sentinel", "keep"));
    ASSERT_TRUE(pvtest::MakeFolderLink(profile / "link", elsewhere.path()));
    pvtest::MappedDrive drive('Q', elsewhere.path());
    ASSERT_TRUE(drive.ok());
    pvtest::EnvironmentOverride userProfile("USERPROFILE", profile.path().c_str());
    for (const std::string& recent : {profile.path(), drive.root(), profile / "link"}) {
        SCOPED_TRACE(recent);
        ASSERT_TRUE(SetValue(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders",
                             "Recent", Text(recent.c_str()), REG_EXPAND_SZ));
        ASSERT_EQ(ShellFolder(CSIDL_RECENT).rfind(recent.substr(0, 2), 0), 0u) << "the shell follows the value";
        records::CleanRecentDocs();
        EXPECT_EQ(ReadBytes(profile / "sentinel"), "keep");
        EXPECT_EQ(ReadBytes(elsewhere / "sentinel"), "keep");
    }
    pvtest::RemoveFolderLink(profile / "link");
}

// An index.dat with a second name shares its bytes with it: it loses its
// own name, and is never zeroed.
TEST(RecordCleaners, AHardLinkedIndexFileIsRemovedByNameNeverZeroed) {
    RecordFolders folders;
    ASSERT_TRUE(folders.ok());
    pvtest::TempFolder outside;
    const std::string shared = outside / "shared.dat", bytes(300, 's');
    ASSERT_TRUE(WriteBytes(shared, bytes));
    ASSERT_TRUE(CreateHardLinkA((folders.shellHistory / "index.dat").c_str(), shared.c_str(), nullptr));
    records::CleanVisitHistory();
    EXPECT_FALSE(FileExists(folders.shellHistory / "index.dat"));
    EXPECT_EQ(ReadBytes(shared), bytes);
}

// The user's provider key with a DACL of its own, "Data" and the form key's
// tree; the HKLM form key of the user name beside its "Data".
TEST(RecordCleaners, FormDataIsOpenedUpDeletedAndTheUserKeyGetsItsDaclBack) {
    RecordKeysBackup keys;
    const std::string user = UserProviderKey(), data = user + "\\Data", forms = data + "\\" + kFormKey;
    const std::string machineForms = MachineProviderKey() + "\\Data\\" + kFormKey;
    ASSERT_TRUE(SetValue(HKEY_CURRENT_USER, forms + "\\sub\\deeper", "item", "secret", REG_BINARY));
    ASSERT_TRUE(SetValue(HKEY_CURRENT_USER, data + "\\other", "v", "x", REG_BINARY));
    ASSERT_TRUE(SetValue(HKEY_LOCAL_MACHINE, machineForms + "\\sub", "item", "secret", REG_BINARY));
    for (const std::string& key : {user, data, forms, forms + "\\sub"})
        ASSERT_TRUE(SetEveryoneReadDacl(HKEY_CURRENT_USER, key));
    const std::vector<BYTE> userDacl = KeyDaclBytes(HKEY_CURRENT_USER, user);

    records::CleanFormData();
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, forms));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, data + "\\other"));
    EXPECT_EQ(KeyDaclBytes(HKEY_CURRENT_USER, user), userDacl) << "the old DACL is back";
    ExpectKeyHasOpenDacl(HKEY_CURRENT_USER, data, UserSid().data());
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, machineForms));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, MachineProviderKey() + "\\Data"));
}

// Without "Data" every step below the user's key fails; the key still gets
// its DACL back and nothing is created.
TEST(RecordCleaners, FormDataGivesTheDaclBackWhenTheStepsBelowFail) {
    RecordKeysBackup keys;
    const std::string user = UserProviderKey();
    ASSERT_TRUE(SetValue(HKEY_CURRENT_USER, user, "v", "x", REG_BINARY));
    ASSERT_TRUE(SetEveryoneReadDacl(HKEY_CURRENT_USER, user));
    const std::vector<BYTE> userDacl = KeyDaclBytes(HKEY_CURRENT_USER, user);
    records::CleanFormData();
    EXPECT_EQ(KeyDaclBytes(HKEY_CURRENT_USER, user), userDacl);
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, user + "\\Data"));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, MachineProviderKey()));
}

TEST(RecordCleaners, MissingKeysStayMissing) {
    RecordKeysBackup keys;
    RecordFolders folders;
    ASSERT_TRUE(folders.ok());
    for (void (*clean)() : {records::CleanVisitHistory, records::CleanTypedUrls, records::CleanRecentDocs,
                            records::CleanRunMru, records::CleanPlayerHistory, records::CleanFormData,
                            records::CleanSavedPasswords})
        clean();
    for (const char* key : {kTypedUrls, kIntelliForms, kRecentDocs, kRunMru, kPlayerFiles, kProvider})
        EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, key)) << key;
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kProvider));
}

// The history store needs COM on the calling thread; without it the cleaner
// passes the store over.
TEST(RecordCleaners, HistoryStoreIsPassedOverWithoutCom) { EXPECT_FALSE(records::ClearUrlHistoryStore()); }

}  // namespace
