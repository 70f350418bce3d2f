// The 32-bit engine on 64-bit Windows (the 64-bit prefix): machine-wide
// traces in both registry views, both system folders and both program
// folders are found once per place and cured where they were found, and a
// 64-bit process named by a record is ended. In the 32-bit prefix the same
// traces have one place each.
#include <gtest/gtest.h>

#include "base/wow64.h"
#include "tests/support/engine_probe.h"
#include "tests/support/registry_sandbox.h"
#include "tests/support/sandbox.h"

namespace {

using namespace enginetest;

using pvtest::Environment;
using pvtest::SystemFolder;

// Traces named after this process in the half of the machine this process
// sees and, under WOW64, in the 64-bit half; removed from both.
class Wow64Traces : public ::testing::Test {
protected:
    ~Wow64Traces() override {
        for (REGSAM view : views_) {
            pvtest::DeleteKeyTree(HKEY_LOCAL_MACHINE, key_, view);
            pvtest::DeleteKeyTree(HKEY_CLASSES_ROOT, clsid_, view);
        }
        pvtest::DeleteKeyTree(HKEY_LOCAL_MACHINE, shared_);
        for (const std::string& folder : {system32Bit_, systemReached_, programs32Bit_, programs64Bit_}) {
            if (folder.empty()) continue;
            DeleteFileA((folder + "\\" + file_).c_str());
            pvtest::RemoveTree(folder + "\\" + name_);
        }
    }
    void SetUp() override { ASSERT_TRUE(engine.ok()); }

    // The locations a scan of one record with these items hands out.
    std::vector<std::string> Scan(const std::vector<adb::Item>& items) {
        EXPECT_EQ(engine.LoadADB(WriteDatabase(folder_, {MakeRecord(21, "Wow64", items)}).c_str()), 0);
        result_ = engine.AdScan(0);
        std::vector<std::string> locations;
        for (uint32_t i = 0; i < result_.foundCount; ++i) locations.push_back(result_.items[i].location);
        return locations;
    }

    // Traces in every place, and the record that names them.
    std::vector<adb::Item> PlantEverywhere() {
        for (REGSAM view : views_) {
            EXPECT_TRUE(pvtest::SetValue(HKEY_LOCAL_MACHINE, key_ + "\\Ad", "v", "x", REG_SZ, view));
            EXPECT_TRUE(pvtest::SetValue(HKEY_LOCAL_MACHINE, key_, "AdStart", "ad.exe", REG_SZ, view));
            EXPECT_TRUE(pvtest::SetValue(HKEY_CLASSES_ROOT, clsid_, "", "Ad", REG_SZ, view));
        }
        for (size_t half = 0; half < views_.size(); ++half) {
            WriteText((half ? systemReached_ : system32Bit_) + "\\" + file_, "x");
            EXPECT_TRUE(pvtest::MakeFolders((half ? systemReached_ : system32Bit_) + "\\" + name_ + "\\Inner"));
            EXPECT_TRUE(pvtest::MakeFolders((half ? programs64Bit_ : programs32Bit_) + "\\" + name_));
        }
        // One key both views see (under WOW64): found once.
        if (wow64_) {
            EXPECT_TRUE(pvtest::SetValue(HKEY_LOCAL_MACHINE, shared_, "v", "x"));
        }
        std::vector<adb::Item> items = {MakeItem(4, key_ + "\\Ad"), MakeItem(9, key_, "AdStart"), MakeItem(2, clsid_),
                                        MakeItem(0, "%sys%", file_), MakeItem(1, "%windir%\\SYSTEM32\\" + name_),
                                        MakeItem(1, "%ProgramFiles%\\" + name_)};
        if (wow64_) items.push_back(MakeItem(4, shared_));
        return items;
    }

    const bool wow64_ = base::RunsUnderWow64();
    const REGSAM view64_ = base::Registry64View();
    const std::vector<REGSAM> views_ = wow64_ ? std::vector<REGSAM>{0, view64_} : std::vector<REGSAM>{0};
    const std::string name_ = "PurvexWow64_" + std::to_string(GetCurrentProcessId()), file_ = name_ + ".exe";
    const std::string key_ = "SOFTWARE\\" + name_, clsid_ = "CLSID\\" + name_;
    const std::string shared_ = "SOFTWARE\\Wow6432Node\\" + name_;
    // The system folder by its own name, the one this process sees, and the
    // way a 32-bit program reaches the real one.
    const std::string system_ = SystemFolder(GetSystemDirectoryA);
    const std::string system32Bit_ = wow64_ ? SystemFolder(GetSystemWow64DirectoryA) : system_;
    const std::string systemReached_ = wow64_ ? SystemFolder(GetWindowsDirectoryA) + "\\Sysnative" : "";
    const std::string programs32Bit_ = Environment("ProgramFiles");
    const std::string programs64Bit_ = wow64_ ? Environment("ProgramW6432") : "";
    TempFolder folder_;  // outlives the engine, which keeps its database open
    Engine engine;
    AdScanResult result_ = {};
};

TEST_F(Wow64Traces, FoundOncePerPlaceAndCuredInEach) {
    const std::vector<adb::Item> items = PlantEverywhere();
    // Each place once, the 32-bit one first; files and folders by their real names.
    std::vector<std::string> expected;
    for (const std::string& registry : {key_ + "\\Ad", key_, clsid_})
        expected.insert(expected.end(), views_.size(), registry);
    if (!wow64_) {
        expected.insert(expected.end(), {system_ + "\\" + file_, SystemFolder(GetWindowsDirectoryA) + "\\SYSTEM32\\" + name_,
                                         programs32Bit_ + "\\" + name_});
    } else {
        expected.insert(expected.end(), {system32Bit_ + "\\" + file_, system_ + "\\" + file_,
                                         system32Bit_ + "\\" + name_, system_ + "\\" + name_,
                                         programs32Bit_ + "\\" + name_, programs64Bit_ + "\\" + name_, shared_});
    }
    ASSERT_EQ(Scan(items), expected);

    EXPECT_EQ(engine.AdRepair(result_), 1);
    EXPECT_EQ(engine.AdScan(0).foundCount, 0u) << "a rescan of every place finds nothing";
}

TEST_F(Wow64Traces, ABackupPutsEachBackWhereItWasFound) {
    const size_t places = Scan(PlantEverywhere()).size();
    pvtest::CurrentFolder home(folder_.path());
    const std::string kept = folder_ / "PurvexBackup\\00000001";
    ASSERT_EQ(engine.SetBackupFolder(kept.c_str()), 1);
    EXPECT_EQ(engine.AdRepair(result_), 1);
    engine.SetBackupFolder(nullptr);
    ASSERT_EQ(engine.AdScan(0).foundCount, 0u);
    EXPECT_EQ(engine.RestoreBackup(kept.c_str()), static_cast<int32_t>(places));
    EXPECT_EQ(engine.AdScan(0).foundCount, places) << "every place is found again";
}

TEST_F(Wow64Traces, RepairEndsThe64BitProcessAndActsWhereTheScanFound) {
    if (!wow64_) GTEST_SKIP() << "one half on 32-bit Windows";
    // The 64-bit half only: a key, and a 64-bit program running from the real system folder.
    ASSERT_TRUE(pvtest::SetValue(HKEY_LOCAL_MACHINE, key_, "v", "x", REG_SZ, view64_));
    HANDLE victim = StartVictim(systemReached_ + "\\" + file_, "engine_victim64.exe");
    ASSERT_NE(victim, nullptr);
    adb::Item program = MakeItem(0, "%sys%", file_);
    program.killOwnProcess = 1;
    ASSERT_EQ(Scan({MakeItem(4, key_), program}), (std::vector<std::string>{key_, system_ + "\\" + file_}));

    // The same names appear in the 32-bit half after the scan: not found, so kept.
    ASSERT_TRUE(pvtest::SetValue(HKEY_LOCAL_MACHINE, key_, "v", "x"));
    WriteText(system32Bit_ + "\\" + file_, "x");
    EXPECT_EQ(engine.AdRepair(result_), 1) << "the program goes once its process has ended";
    EXPECT_EQ(WaitForSingleObject(victim, 10000), WAIT_OBJECT_0);
    DWORD code = 99;
    GetExitCodeProcess(victim, &code);
    EXPECT_EQ(code, 0u) << "ended with exit code 0, not by itself (7)";
    TerminateProcess(victim, 1);
    CloseHandle(victim);
    EXPECT_FALSE(pvtest::KeyExists(HKEY_LOCAL_MACHINE, key_, view64_));
    EXPECT_FALSE(Exists(systemReached_ + "\\" + file_));
    EXPECT_TRUE(pvtest::KeyExists(HKEY_LOCAL_MACHINE, key_));
    EXPECT_TRUE(Exists(system32Bit_ + "\\" + file_));
}

}  // namespace
