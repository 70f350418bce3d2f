// Cures that keep what they remove, and the restore, through the engine's
// exports: files, folder trees, keys, values and the Winsock catalog.
#include "engine/packed_catalog_item.h"

#include <gtest/gtest.h>

#include <map>

#include "tests/support/registry_sandbox.h"
#include "tests/support/sandbox.h"
#include "tests/support/engine_probe.h"

namespace {

using namespace enginetest;

std::wstring Wide(const std::string& text) {
    std::wstring out(text.size() + 1, L'\0');
    out.resize(MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &out[0], static_cast<int>(out.size())) - 1);
    return out;
}

// Every file and folder below folder by relative path: attributes and bytes.
void FolderState(const std::string& folder, const std::string& relative, std::map<std::string, std::string>* state) {
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((folder + relative + "\\*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = found.cFileName, path = relative + "\\" + name;
        if (name == "." || name == "..") continue;
        const bool isFolder = found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY;
        (*state)[path] = std::to_string(found.dwFileAttributes) + ":" + (isFolder ? "" : pvtest::ReadBytes(folder + path));
        if (isFolder) FolderState(folder, path, state);
    } while (FindNextFileA(find, &found));
    FindClose(find);
}
std::map<std::string, std::string> FolderState(const std::string& folder) {
    std::map<std::string, std::string> state;
    FolderState(folder, "", &state);
    return state;
}

// Every key and value below path, read through the wide calls: the exact
// names, types and bytes the registry holds.
void KeyState(HKEY root, const std::wstring& path, std::map<std::wstring, std::string>* state) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    (*state)[path] = "key";
    wchar_t name[512];
    BYTE data[4096];
    for (DWORD i = 0;; ++i) {
        DWORD nameLength = 512, size = sizeof data, type = 0;
        if (RegEnumValueW(key, i, name, &nameLength, nullptr, &type, data, &size) != ERROR_SUCCESS) break;
        (*state)[path + L"|" + name] = std::to_string(type) + ":" + std::string(reinterpret_cast<char*>(data), size);
    }
    for (DWORD i = 0;; ++i) {
        DWORD nameLength = 512;
        if (RegEnumKeyExW(key, i, name, &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        KeyState(root, path + L"\\" + name, state);
    }
    RegCloseKey(key);
}

bool SetValue(const std::string& key, const char* name, const std::string& bytes, DWORD type = REG_SZ) {
    return pvtest::SetValue(HKEY_CURRENT_USER, key, name, bytes, type);
}

class Backup : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(engine.ok()); }

    // Files with attributes and a folder tree in traces; a key tree with
    // values of every common type and Korean names, and single values.
    void PlantTraces() {
        WriteText(traces / "애드웨어.exe", std::string("MZ\0\x90\xff", 5));
        SetFileAttributesA((traces / "애드웨어.exe").c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN);
        WriteText(traces / "sys.dll", "dll");
        SetFileAttributesA((traces / "sys.dll").c_str(), FILE_ATTRIBUTE_SYSTEM);
        ASSERT_TRUE(pvtest::MakeFolders(traces / "Tree\\하위\\깊은") && pvtest::MakeFolders(traces / "Tree\\empty"));
        WriteText(traces / "Tree\\하위\\run.exe", "run");
        SetFileAttributesA((traces / "Tree\\하위\\run.exe").c_str(), FILE_ATTRIBUTE_READONLY);
        WriteText(traces / "Tree\\note.txt.bak", "a name that ends in .bak already");
        const std::string ad = key / "AdKey";
        ASSERT_TRUE(SetValue(ad, "", std::string("기본\0", 5)) && SetValue(ad, "이름", std::string("값 \"C:\\\"\0", 9)) &&
                    SetValue(ad, "Expand", std::string("%SystemRoot%\\x\0", 15), REG_EXPAND_SZ) &&
                    SetValue(ad, "Multi", std::string("하나\0two\0\0", 10), REG_MULTI_SZ) &&
                    SetValue(ad, "Dword", std::string("\x01\x02\x03\x04", 4), REG_DWORD) &&
                    SetValue(ad, "Binary", std::string(300, '\xA5') + std::string("\0\n", 2), REG_BINARY) &&
                    SetValue(ad, "Lines", std::string("a\r\nb\0", 5)) &&
                    SetValue(ad + "\\하위키", "v", std::string("x\0", 2)));
        CreateKey(HKEY_CURRENT_USER, ad + "\\Empty");
        ASSERT_TRUE(SetValue(key / "Vals", "Run1", std::string("C:\\ad.exe\0", 10)) &&
                    SetValue(key / "Vals", "바이너리", "\x00\x01", REG_BINARY) &&
                    SetValue(key / "Vals", "Keep", std::string("keep\0", 5)));
    }
    std::vector<adb::Item> FileItems() const {
        return {MakeItem(0, traces.path(), "애드웨어.exe"), MakeItem(0, traces.path(), "sys.dll"),
                MakeItem(1, traces / "Tree")};
    }
    std::vector<adb::Item> RegistryItems() const {
        return {MakeItem(3, key / "AdKey"), MakeItem(8, key / "Vals", "Run1"),
                MakeItem(8, key / "Vals", "바이너리")};
    }
    // Scans one record and cures it with backups in folder, then turns them off.
    uint8_t CureWithBackup(const std::vector<adb::Item>& items, const std::string& folder,
                           const std::string& name = "Sample") {
        const std::string db = WriteDatabase(store, {MakeRecord(7, name, items)}, "b" + std::to_string(++n) + ".adb");
        EXPECT_EQ(engine.LoadADB(db.c_str()), 0);
        const AdScanResult found = engine.AdScan(0);
        EXPECT_EQ(found.foundCount, items.size());
        EXPECT_EQ(engine.SetBackupFolder(folder.c_str()), 1);
        const uint8_t outcome = engine.AdRepair(found);
        EXPECT_EQ(engine.SetBackupFolder(nullptr), 0);
        return outcome;
    }
    std::map<std::wstring, std::string> Keys() const {
        std::map<std::wstring, std::string> state;
        KeyState(HKEY_CURRENT_USER, Wide(key.path()), &state);
        return state;
    }
    // The backup folder in store, the installation folder's stand-in.
    std::string Kept(const std::string& name = "") const {
        return (store / "PurvexBackup\\00000001") + (name.empty() ? "" : "\\" + name);
    }

    Engine engine;
    TempFolder traces, store;
    pvtest::CurrentFolder home{store.path()};
    TestKey key{HKEY_CURRENT_USER, "Software"};
    int n = 0;
};

TEST_F(Backup, CureKeepsEverythingAndTheRestorePutsItBackByteForByte) {
    pvtest::KeyBackup catalog0(HKEY_LOCAL_MACHINE, engine::kCatalogEntryKeys[0]),
        catalog1(HKEY_LOCAL_MACHINE, engine::kCatalogEntryKeys[1]);
    PlantTraces();
    const auto files = FolderState(traces.path());
    const auto keys = Keys();
    // One catalog entry holds a value the cure rewrites, the other none (the cure makes it).
    ASSERT_TRUE(pvtest::SetValue(HKEY_LOCAL_MACHINE, engine::kCatalogEntryKeys[0], "PackedCatalogItem", "old", REG_BINARY));
    ASSERT_TRUE(pvtest::DeleteKeyTree(HKEY_LOCAL_MACHINE, engine::kCatalogEntryKeys[1]));
    std::vector<adb::Item> items = FileItems(), registry = RegistryItems();
    items.insert(items.end(), registry.begin(), registry.end());

    ASSERT_EQ(CureWithBackup(items, Kept(), "Newdotnet"), 1);
    EXPECT_TRUE(FolderState(traces.path()).empty());
    EXPECT_EQ(Keys().size(), 3u) << "the test key, Vals and its value Keep";
    for (const auto& kept : FolderState(Kept())) {
        const std::string& name = kept.first;
        if (std::stoul(kept.second) & FILE_ATTRIBUTE_DIRECTORY) continue;
        if (name.size() > 4 && name.compare(name.size() - 4, 4, ".reg") == 0) {
            EXPECT_EQ(pvtest::ReadBytes(Kept() + name).rfind("REGEDIT4\r\n", 0), 0u) << name;
        } else if (name != "\\backup.txt" && name != "\\backup.lst" && name != "\\backup.seal") {
            EXPECT_EQ(name.compare(name.size() - 4, 4, ".bak"), 0) << name << " could run from the backup";
        }
    }
    EXPECT_EQ(pvtest::ReadBytes(Kept("backup.txt")).rfind("Purvex 치료 백업", 0), 0u);

    // The catalog changes again after the cure; the restore puts it back as it was before.
    ASSERT_TRUE(pvtest::SetValue(HKEY_LOCAL_MACHINE, engine::kCatalogEntryKeys[0], "PackedCatalogItem", "x", REG_BINARY));
    EXPECT_EQ(engine.RestoreBackup(Kept().c_str()), 6);
    EXPECT_EQ(FolderState(traces.path()), files);
    EXPECT_EQ(Keys(), keys);
    EXPECT_EQ(pvtest::ReadValue(HKEY_LOCAL_MACHINE, engine::kCatalogEntryKeys[0], "PackedCatalogItem").data, "old");
    EXPECT_FALSE(pvtest::KeyExists(HKEY_LOCAL_MACHINE, engine::kCatalogEntryKeys[1]));
    EXPECT_FALSE(pvtest::Exists(Kept())) << "an emptied backup goes";
    EXPECT_EQ(engine.RestoreBackup(Kept().c_str()), -1);
}

TEST_F(Backup, WhatStandsInTheWayIsLeftAloneAndItsItemStaysInTheBackup) {
    WriteText(traces / "a.dll", "old");
    ASSERT_TRUE(pvtest::MakeFolders(traces / "Dir"));
    WriteText(traces / "Dir\\b.dll", "old");
    ASSERT_TRUE(SetValue(key.path(), "v", std::string("old\0", 4)));
    TempFolder elsewhere;
    ASSERT_EQ(CureWithBackup({MakeItem(0, traces.path(), "a.dll"), MakeItem(0, traces / "Dir", "b.dll"),
                              MakeItem(8, key.path(), "v")},
                             Kept()),
              1);
    // A file and a value made anew, a folder on the way now a link.
    WriteText(traces / "a.dll", "new");
    ASSERT_TRUE(SetValue(key.path(), "v", std::string("new\0", 4)));
    ASSERT_TRUE(RemoveDirectoryA((traces / "Dir").c_str()) && pvtest::MakeFolderLink(traces / "Dir", elsewhere.path()));

    EXPECT_EQ(engine.RestoreBackup(Kept().c_str()), 0);
    EXPECT_EQ(pvtest::ReadBytes(traces / "a.dll"), "new");
    EXPECT_EQ(pvtest::ReadValue(HKEY_CURRENT_USER, key.path(), "v").data, std::string("new\0", 4));
    EXPECT_FALSE(pvtest::Exists(elsewhere / "b.dll"));

    // Out of the way, everything comes back.
    ASSERT_TRUE(pvtest::RemoveFolderLink(traces / "Dir") && DeleteFileA((traces / "a.dll").c_str()));
    ASSERT_TRUE(pvtest::DeleteKeyTree(HKEY_CURRENT_USER, key.path()));
    EXPECT_EQ(engine.RestoreBackup(Kept().c_str()), 3);
    EXPECT_EQ(pvtest::ReadBytes(traces / "a.dll"), "old");
    EXPECT_EQ(pvtest::ReadBytes(traces / "Dir\\b.dll"), "old");
    EXPECT_EQ(pvtest::ReadValue(HKEY_CURRENT_USER, key.path(), "v").data, std::string("old\0", 4));
}

// A link inside a kept key is neither kept, followed nor made again; a
// restore whose place now holds a link leaves its entry in the backup, and
// nothing arrives where the link leads.
TEST_F(Backup, RegistryLinksAreNeverKeptFollowedOrMade) {
    const std::string sentinel = key / "Sentinel", ad = key / "Ad";
    ASSERT_TRUE(SetValue(sentinel, "v", std::string("x\0", 2)) && SetValue(ad, "u", std::string("y\0", 2)) &&
                SetValue(ad + "\\Inner", "w", std::string("z\0", 2)));
    ASSERT_TRUE(pvtest::MakeKeyLink(HKEY_CURRENT_USER, ad + "\\Link", HKEY_CURRENT_USER, sentinel));
    std::map<std::wstring, std::string> before;
    KeyState(HKEY_CURRENT_USER, Wide(sentinel), &before);
    ASSERT_EQ(CureWithBackup({MakeItem(3, ad)}, Kept()), 1);
    EXPECT_EQ(pvtest::ReadBytes(Kept("0001.reg")).find("Link"), std::string::npos);

    ASSERT_TRUE(pvtest::MakeKeyLink(HKEY_CURRENT_USER, ad, HKEY_CURRENT_USER, sentinel));
    EXPECT_EQ(engine.RestoreBackup(Kept().c_str()), 0);
    ASSERT_TRUE(pvtest::DeleteKeyTree(HKEY_CURRENT_USER, ad));
    EXPECT_EQ(engine.RestoreBackup(Kept().c_str()), 1) << "the entry stayed";
    EXPECT_EQ(pvtest::ReadValue(HKEY_CURRENT_USER, ad + "\\Inner", "w").data, std::string("z\0", 2));
    EXPECT_FALSE(pvtest::KeyExists(HKEY_CURRENT_USER, ad + "\\Link"));
    std::map<std::wstring, std::string> after;
    KeyState(HKEY_CURRENT_USER, Wide(sentinel), &after);
    EXPECT_EQ(after, before);
}

// A drive mapped to a folder outside drive C (Wine gives a drive mapped
// below drive C's folder drive C's volume serial).
struct OutsideDriveC {
    OutsideDriveC() { pvtest::MakeFolders(path); }
    ~OutsideDriveC() { pvtest::RemoveTree(path); }
    const std::string path = pvtest::ProgramFolder() + "\\volume_" + std::to_string(GetCurrentProcessId());
};

TEST_F(Backup, ARecordNamingTheBackupOrAFolderItLiesInRemovesNeither) {
    ASSERT_TRUE(pvtest::MakeFolders(Kept("inner")));
    EXPECT_EQ(CureWithBackup({MakeItem(1, store.path()), MakeItem(1, Kept()), MakeItem(1, Kept("inner"))}, Kept()), 0);
    EXPECT_TRUE(pvtest::FolderExists(Kept("inner")));
}

TEST_F(Backup, ABackupOnAnotherVolumeGetsCopiesAndGivesThemBack) {
    OutsideDriveC volume;
    pvtest::MappedDrive drive('R', volume.path);
    ASSERT_TRUE(drive.ok());
    PlantTraces();
    const auto files = FolderState(traces.path());
    pvtest::CurrentFolder there(drive.root());
    const std::string kept = drive.root() + "PurvexBackup\\00000001";
    ASSERT_EQ(CureWithBackup(FileItems(), kept), 1);
    EXPECT_TRUE(FolderState(traces.path()).empty());
    EXPECT_EQ(pvtest::ReadBytes(kept + "\\0003_Tree\\하위\\run.exe.bak"), "run");
    EXPECT_EQ(engine.RestoreBackup(kept.c_str()), 3);
    EXPECT_EQ(FolderState(traces.path()), files);
}

TEST_F(Backup, RegFilesMergeWithRegeditToTheSameKeys) {
    PlantTraces();
    const auto keys = Keys();
    ASSERT_EQ(CureWithBackup(RegistryItems(), Kept()), 1);
    for (const char* reg : {"0001.reg", "0002.reg", "0003.reg"}) {
        std::string command = "regedit.exe /s \"" + Kept(reg) + "\"";
        STARTUPINFOA startup = {sizeof startup};
        PROCESS_INFORMATION process = {};
        ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
        WaitForSingleObject(process.hProcess, 30000);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    EXPECT_EQ(Keys(), keys);
}

}  // namespace
