// What a restore trusts: only a backup that is wholly the program's own and
// as its seal says, and of that only what a cure removed, put back where it
// was. Each case plants what a user who may write the backup folder would,
// with a sentinel that must survive; the genuine companion kept beside it
// comes back whenever the backup is not refused as a whole.
#include <gtest/gtest.h>

#include <functional>

#include "backup/keeper.h"
#include "backup/kept_settings.h"
#include "backup/kept_digest.h"
#include "backup/restore.h"
#include "backup/restore_texts.h"
#include "tests/support/registry_sandbox.h"
#include "tests/support/sandbox.h"

namespace {

using backup::Entry;
using backup::Kind;
using pvtest::ReadBytes;
using pvtest::WriteBytes;

constexpr char kWinlogon[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";

class RestoreBoundary : public ::testing::Test {
public:  // the tables below plant through the fixture
    // A backup folder holding one genuine item, the companion file.
    std::string KeepCompanion(int number = 1) {
        char name[32];
        snprintf(name, sizeof name, "PurvexBackup\\%08d", number);
        kept_ = home / name;
        EXPECT_TRUE(WriteBytes(companion_, "companion"));
        backup::Keeper keeper(kept_);
        base::HeldItem held = base::HoldPath(companion_.c_str());
        EXPECT_TRUE(keeper.KeepFileOrFolder(held, false, "Companion"));
        return kept_;
    }
    std::string Kept(const std::string& name) const { return kept_ + "\\" + name; }
    // Adds e (what it stores written already) to the manifest: sealed anew as
    // one who holds the machine's key would, or only written.
    void Plant(Entry e, bool sealed) {
        const base::OpenFolder folder = backup::OpenBackupFolder(kept_, false);
        std::string text;
        std::vector<Entry> entries;
        ASSERT_EQ(backup::ReadManifest(folder, &text, &entries), backup::FileRead::kRead);
        e.digest = backup::DigestOfStored(folder, e.stored);
        entries.push_back(e);
        if (sealed)
            ASSERT_TRUE(backup::RewriteLists(folder, entries));
        else
            ASSERT_TRUE(WriteBytes(Kept(backup::kManifestName), backup::ManifestText(entries)));
    }
    Entry RegistryEntry(Kind kind, const std::string& place, const char* value, const std::string& reg) {
        EXPECT_TRUE(WriteBytes(Kept("0009.reg"), "REGEDIT4\r\n\r\n" + reg + "\r\n"));
        Entry e;
        e.kind = kind;
        e.place = place;
        e.valueName = value;
        e.stored = "0009.reg";
        return e;
    }
    bool CompanionBack() const { return ReadBytes(companion_) == "companion"; }

    pvtest::TempFolder home, traces;
    pvtest::CurrentFolder here{home.path()};
    pvtest::TestKey key{HKEY_CURRENT_USER, "Software"};
    const std::string companion_ = traces / "companion.dll";
    std::string kept_;
};

// A hostile entry in a backup, and the sentinel it must not reach.
struct Hostile {
    const char* what;
    std::function<Entry(RestoreBoundary&)> plant;
    std::function<bool()> sentinelSurvives;
    int restoredWhenSealed;  // the companion, and the entry's own key where it has one
    const char* leftWhenSealed;
};

TEST_F(RestoreBoundary, AHostileEntryNeverReachesItsSentinel) {
    ASSERT_TRUE(pvtest::ShareDriveC());
    const std::string system = pvtest::SystemFolder(GetSystemDirectoryA), existing = home / "existing";
    ASSERT_TRUE(pvtest::MakeFolders(existing) && WriteBytes(existing + "\\keep.txt", "keep"));
    const std::string user = "HKEY_CURRENT_USER\\" + key.path();
    ASSERT_TRUE(pvtest::SetValue(HKEY_CURRENT_USER, key / "Other", "v", std::string("sentinel\0", 9)) &&
                pvtest::SetValue(HKEY_CURRENT_USER, key / "Vals", "v", std::string("sentinel\0", 9)));
    const pvtest::KeyBackup logOn(HKEY_LOCAL_MACHINE, kWinlogon);  // put back should a case fail
    const pvtest::RegValue userinit = pvtest::ReadValue(HKEY_LOCAL_MACHINE, kWinlogon, "Userinit");
    auto plainFile = [](RestoreBoundary& t, const std::string& name, const std::string& place) {
        EXPECT_TRUE(WriteBytes(t.Kept(name), "evil"));
        Entry e;
        e.place = place;
        e.stored = name;
        return e;
    };
    const Hostile cases[] = {
        {"a file into the system folder, spelled as a share",
         [&](RestoreBoundary& t) {
             return plainFile(t, "0009_x.dll.bak", "\\\\127.0.0.1\\C$" + system.substr(2) + "\\pvx_hostile.dll");
         },
         [&] { return !pvtest::Exists(system + "\\pvx_hostile.dll"); }, 1, backup::kMsgRestoreRefusedSome},
        {"a partial folder into a folder that is there",
         [&](RestoreBoundary& t) {
             EXPECT_TRUE(pvtest::MakeFolders(t.Kept("0009_dir")));
             Entry e = plainFile(t, "0009_dir\\evil.dll.bak", existing);
             e.kind = Kind::kFolder;
             e.complete = false;
             e.stored = "0009_dir";
             return e;
         },
         [&] { return !pvtest::Exists(existing + "\\evil.dll") && ReadBytes(existing + "\\keep.txt") == "keep"; }, 1,
         backup::kMsgRestoreLeftSome},
        {"a key whose file carries a section for another key",
         [&](RestoreBoundary& t) {
             return t.RegistryEntry(Kind::kKey, user + "\\Ad", "",
                                    "[" + user + "\\Ad]\r\n\"a\"=\"ad\"\r\n\r\n[" + user +
                                        "\\Other]\r\n\"v\"=\"evil\"\r\n\"new\"=\"evil\"");
         },
         [&] {
             return pvtest::ReadValue(HKEY_CURRENT_USER, key / "Other", "v").data == std::string("sentinel\0", 9) &&
                    !pvtest::ReadValue(HKEY_CURRENT_USER, key / "Other", "new").present;
         },
         2, ""},
        {"a setting naming Winlogon's Userinit",
         [&](RestoreBoundary& t) {
             return t.RegistryEntry(Kind::kSetting, std::string("HKEY_LOCAL_MACHINE\\") + kWinlogon, "Userinit",
                                    std::string("[HKEY_LOCAL_MACHINE\\") + kWinlogon + "]\r\n\"Userinit\"=\"C:\\\\evil.exe\"");
         },
         [&] {
             const pvtest::RegValue now = pvtest::ReadValue(HKEY_LOCAL_MACHINE, kWinlogon, "Userinit");
             return now.present == userinit.present && now.data == userinit.data;
         },
         1,
         backup::kMsgRestoreRefusedSome},
        {"a value over a value that is there",
         [&](RestoreBoundary& t) {
             return t.RegistryEntry(Kind::kValue, user + "\\Vals", "v", "[" + user + "\\Vals]\r\n\"v\"=\"evil\"");
         },
         [&] { return pvtest::ReadValue(HKEY_CURRENT_USER, key / "Vals", "v").data == std::string("sentinel\0", 9); },
         1, backup::kMsgRestoreLeftSome},
    };
    int number = 0;
    for (const Hostile& c : cases) {
        for (bool sealed : {false, true}) {
            SCOPED_TRACE(std::string(c.what) + (sealed ? ", sealed anew" : ", the seal left as it was"));
            const std::string kept = KeepCompanion(++number);
            Plant(c.plant(*this), sealed);
            const int result = backup::RestoreBackup(kept);
            EXPECT_TRUE(c.sentinelSurvives());
            EXPECT_EQ(CompanionBack(), sealed);
            if (!sealed) {
                EXPECT_EQ(result, backup::kRefusedBackup);
                continue;
            }
            EXPECT_EQ(result, c.restoredWhenSealed);
            bool failed = true;
            const std::string text = backup::RestoreEndText(result, kept, &failed);
            EXPECT_FALSE(failed);
            EXPECT_EQ(text.substr(text.find(" 개") + 3), c.leftWhenSealed);
        }
    }
}

// A backup whose files are not the program's own is refused whole, and no
// file of it is written.
TEST_F(RestoreBoundary, ABackupNotWhollyTheProgramsOwnIsRefusedWhole) {
    const std::string sentinel = home / "sentinel.txt";
    const struct {
        const char* what;
        std::function<std::string(RestoreBoundary&)> tamper;  // returns the folder to restore
        int result;
    } cases[] = {
        {"backup.lst has another name",
         [&](RestoreBoundary& t) {
             WriteBytes(sentinel, ReadBytes(t.Kept("backup.lst")));
             DeleteFileA(t.Kept("backup.lst").c_str());
             CreateHardLinkA(t.Kept("backup.lst").c_str(), sentinel.c_str(), nullptr);
             return t.kept_;
         },
         backup::kRefusedBackup},
        {"backup.txt has another name",
         [&](RestoreBoundary& t) {
             DeleteFileA(t.Kept("backup.txt").c_str());
             CreateHardLinkA(t.Kept("backup.txt").c_str(), sentinel.c_str(), nullptr);
             return t.kept_;
         },
         backup::kRefusedBackup},
        {"a kept file has another name",
         [&](RestoreBoundary& t) {
             DeleteFileA(sentinel.c_str());
             CreateHardLinkA(sentinel.c_str(), t.Kept("0001_companion.dll.bak").c_str(), nullptr);
             return t.kept_;
         },
         backup::kRefusedBackup},
        {"the backup folder is a link",
         [&](RestoreBoundary& t) {
             MoveFileA(t.kept_.c_str(), (home / "real").c_str());
             pvtest::MakeFolderLink(t.kept_, home / "real");
             return t.kept_;
         },
         backup::kRefusedBackup},
        {"the backup root is a link",
         [&](RestoreBoundary& t) {
             MoveFileA((home / "PurvexBackup").c_str(), (home / "real").c_str());
             pvtest::MakeFolderLink(home / "PurvexBackup", home / "real");
             return t.kept_;
         },
         backup::kRefusedBackup},
        {"the folder is no backup folder of the program",
         [&](RestoreBoundary& t) {
             pvtest::MakeFolders(home / "elsewhere");
             MoveFileA((home / "PurvexBackup").c_str(), (home / "elsewhere\\PurvexBackup").c_str());
             return home / "elsewhere\\PurvexBackup\\00000001";
         },
         backup::kRefusedBackup},
        {"the manifest is larger than any a cure writes",
         [&](RestoreBoundary& t) {
             WriteBytes(t.Kept("backup.lst"), ReadBytes(t.Kept("backup.lst")) + std::string(5 << 20, ' '));
             return t.kept_;
         },
         backup::kRefusedBackup},
        {"the seal is gone", [&](RestoreBoundary& t) {
             DeleteFileA(t.Kept("backup.seal").c_str());
             return t.kept_;
         },
         backup::kUncheckedBackup},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(WriteBytes(sentinel, "sentinel"));
        KeepCompanion();
        const std::string folder = c.tamper(*this);
        const std::string before = ReadBytes(sentinel);
        EXPECT_EQ(backup::RestoreBackup(folder), c.result);
        EXPECT_EQ(ReadBytes(sentinel), before);
        EXPECT_FALSE(CompanionBack());
        for (const std::string& link : {kept_, home / "PurvexBackup"})
            if (pvtest::IsLink(link)) pvtest::RemoveFolderLink(link);
        for (const std::string& folderLeft : {home / "PurvexBackup", home / "real", home / "elsewhere"})
            pvtest::RemoveTree(folderLeft);
        DeleteFileA(sentinel.c_str());
    }
}

// The cure's own writing: never into a file of another name, never through a
// linked root, and no name can begin a line of the list.
TEST_F(RestoreBoundary, TheCureWritesOnlyItsOwnFiles) {
    const std::string sentinel = home / "sentinel.txt", elsewhere = home / "elsewhere";
    ASSERT_TRUE(WriteBytes(sentinel, "sentinel") && pvtest::MakeFolders(home / "PurvexBackup\\00000001"));
    ASSERT_TRUE(CreateHardLinkA((home / "PurvexBackup\\00000001\\backup.txt").c_str(), sentinel.c_str(), nullptr));
    KeepCompanion();
    EXPECT_EQ(ReadBytes(sentinel), "sentinel");

    ASSERT_TRUE(pvtest::MakeFolders(elsewhere) && pvtest::MakeFolderLink(home / "PurvexLog", elsewhere));
    EXPECT_FALSE(backup::Keeper(home / "PurvexLog\\00000001\\backup").ok());
    EXPECT_FALSE(pvtest::Exists(elsewhere + "\\00000001"));
    pvtest::RemoveFolderLink(home / "PurvexLog");

    ASSERT_TRUE(WriteBytes(traces / "x.dll", "x"));
    backup::Keeper keeper(home / "PurvexBackup\\00000002");
    base::HeldItem held = base::HoldPath((traces / "x.dll").c_str());
    ASSERT_TRUE(keeper.KeepFileOrFolder(held, false, "ad\r\n[파일] 애드웨어 : injected"));
    EXPECT_EQ(ReadBytes(home / "PurvexBackup\\00000002\\backup.txt").find("\r\n[파일] 애드웨어 : injected"),
              std::string::npos);
    EXPECT_EQ(backup::RestoreBackup(home / "PurvexBackup\\00000002"), 1);
}

// A settings entry names only what the cure itself rewrites, in the spellings
// a backup records of where it really is.
TEST(KeptSettings, OnlyTheCuresOwnInEverySpellingOfTheirPlace) {
    const std::string entries = "\\Services\\WinSock2\\Parameters\\Protocol_Catalog9\\Catalog_Entries\\000000000001";
    const struct {
        HKEY root;
        std::string subkey;
        const char* name;
        bool kept;
    } cases[] = {
        {HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Internet Explorer\\Main", "Start Page", true},
        {HKEY_LOCAL_MACHINE, "SOFTWARE\\Wow6432Node\\Microsoft\\Internet Explorer\\Main", "start page", true},
        {HKEY_LOCAL_MACHINE, "SYSTEM\\ControlSet002" + entries, "PackedCatalogItem", true},
        {HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet" + entries, "PackedCatalogItem", true},
        {HKEY_LOCAL_MACHINE, "SYSTEM\\ControlSet02" + entries, "PackedCatalogItem", false},
        {HKEY_LOCAL_MACHINE, "SYSTEM\\ControlSet002" + entries, "ProtocolName", false},
        {HKEY_LOCAL_MACHINE, kWinlogon, "Userinit", false},
        {HKEY_CURRENT_USER, "Software\\Wow6432Node\\Microsoft\\Internet Explorer\\Main", "Start Page", false},
        {HKEY_USERS, ".DEFAULT\\Software\\Microsoft\\Internet Explorer\\Main", "Start Page", false},
    };
    for (const auto& c : cases) EXPECT_EQ(backup::IsKeptSetting(c.root, c.subkey, c.name), c.kept) << c.subkey;
}

}  // namespace
