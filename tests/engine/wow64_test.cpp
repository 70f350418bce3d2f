// The 32-bit engine on 64-bit Windows (the 64-bit prefix): machine-wide
// traces in both registry views, both system folders and both program
// folders are found once per place and cured where they were found, and a
// 64-bit process named by a record is ended. In the 32-bit prefix the same
// traces have one place each.
#include <gtest/gtest.h>
#include <stdio.h>
#include <stdlib.h>

#include "base/wow64.h"
#include "engine_test_support.h"
#include "tests/support/registry_sandbox.h"
#include "tests/support/sandbox.h"

namespace {

using namespace enginetest;

std::string Folder(UINT(WINAPI* query)(LPSTR, UINT)) {
    char path[MAX_PATH] = {};
    const UINT n = query(path, MAX_PATH);
    return n > 0 && n < MAX_PATH ? path : "";
}
std::string Hex12(DWORD n) {
    char text[16];
    snprintf(text, sizeof text, "%012lX", static_cast<unsigned long>(n));
    return text;
}
std::string Env(const char* name) {
    const char* value = getenv(name);
    return value ? value : "";
}

// Traces named after this process, planted in the half of the machine this
// process sees and, under WOW64, in the 64-bit half; removed from both.
class Wow64Traces : public ::testing::Test {
protected:
    ~Wow64Traces() override {
        for (REGSAM view : views_) {
            pvtest::DeleteKeyTree(HKEY_LOCAL_MACHINE, key_, view);
            pvtest::DeleteKeyTree(HKEY_CLASSES_ROOT, clsid_, view);
        }
        if (wow64_) pvtest::DeleteKeyTree(HKEY_LOCAL_MACHINE, "SOFTWARE\\Wow6432Node\\" + name_);
        for (const std::string& folder : {system_, system32Bit_, systemReached_})
            for (const char* extension : {".dll", ".exe"})
                if (!folder.empty()) DeleteFileA((folder + "\\" + name_ + extension).c_str());
        for (const std::string& folder : {system32Bit_, systemReached_, programs32Bit_, programs64Bit_})
            if (!folder.empty()) pvtest::RemoveTree(folder + "\\" + name_);
    }
    void SetUp() override { ASSERT_TRUE(engine.ok()); }

    AdScanResult ScanOne(const std::vector<adb::Item>& items) {
        const std::string path = WriteDatabase(folder_, {MakeRecord(21, "Wow64", items)});
        EXPECT_EQ(engine.LoadADB(path.c_str()), 0);
        return engine.AdScan(0);
    }
    static std::vector<std::string> Locations(const AdScanResult& r) {
        std::vector<std::string> locations;
        for (uint32_t i = 0; i < r.foundCount; ++i) locations.push_back(r.items[i].location);
        return locations;
    }

    const bool wow64_ = base::RunsUnderWow64();
    const REGSAM view64_ = base::Registry64View();
    const std::vector<REGSAM> views_ = wow64_ ? std::vector<REGSAM>{0, view64_} : std::vector<REGSAM>{0};
    const std::string name_ = "PurvexWow64_" + std::to_string(GetCurrentProcessId());
    const std::string key_ = "SOFTWARE\\" + name_;
    const std::string clsid_ = "CLSID\\{0B1D7E57-0000-4000-8000-" + Hex12(GetCurrentProcessId()) + "}";
    // The system folder by its own name, the one this process sees, and the
    // way a 32-bit test reaches the real one.
    const std::string system_ = Folder(GetSystemDirectoryA);
    const std::string system32Bit_ = wow64_ ? Folder(GetSystemWow64DirectoryA) : system_;
    const std::string systemReached_ = wow64_ ? Folder(GetWindowsDirectoryA) + "\\Sysnative" : "";
    const std::string programs32Bit_ = Env("ProgramFiles");
    const std::string programs64Bit_ = wow64_ ? Env("ProgramW6432") : "";
    Engine engine;
    TempFolder folder_;
};

TEST_F(Wow64Traces, FoundOncePerPlaceAndCuredInEach) {
    const std::string file = name_ + ".dll";
    for (REGSAM view : views_) {
        ASSERT_TRUE(pvtest::SetValue(HKEY_LOCAL_MACHINE, key_ + "\\Ad", "v", "x", REG_SZ, view));
        ASSERT_TRUE(pvtest::SetValue(HKEY_LOCAL_MACHINE, key_, "AdStart", "ad.exe", REG_SZ, view));
        ASSERT_TRUE(pvtest::SetValue(HKEY_CLASSES_ROOT, clsid_, "", "Ad", REG_SZ, view));
    }
    std::vector<std::string> systemFolders = {system32Bit_}, programFolders = {programs32Bit_};
    if (wow64_) {
        systemFolders.push_back(systemReached_);
        programFolders.push_back(programs64Bit_);
        // One key both views see: found once.
        ASSERT_TRUE(pvtest::SetValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Wow6432Node\\" + name_ + "\\Shared", "v", "x"));
    }
    for (const std::string& folder : systemFolders) {
        WriteText(folder + "\\" + file, "x");
        ASSERT_TRUE(pvtest::MakeFolders(folder + "\\" + name_ + "\\Inner"));
    }
    for (const std::string& folder : programFolders) ASSERT_TRUE(pvtest::MakeFolders(folder + "\\" + name_));

    std::vector<adb::Item> items = {MakeItem(4, key_ + "\\Ad"), MakeItem(9, key_, "AdStart"), MakeItem(2, clsid_),
                                    MakeItem(0, "%sys%", file), MakeItem(1, "%windir%\\SYSTEM32\\" + name_),
                                    MakeItem(1, "%ProgramFiles%\\" + name_)};
    if (wow64_) items.push_back(MakeItem(4, "SOFTWARE\\Wow6432Node\\" + name_ + "\\Shared"));
    const AdScanResult r = ScanOne(items);

    // Each place once, the 32-bit one first; files and folders by their real names.
    std::vector<std::string> expected;
    for (const std::string& registry : {key_ + "\\Ad", key_, clsid_})
        expected.insert(expected.end(), views_.size(), registry);
    expected.push_back(system32Bit_ + "\\" + file);
    if (wow64_) expected.push_back(system_ + "\\" + file);
    expected.push_back(wow64_ ? system32Bit_ + "\\" + name_ : Folder(GetWindowsDirectoryA) + "\\SYSTEM32\\" + name_);
    if (wow64_) expected.push_back(system_ + "\\" + name_);
    expected.push_back(programs32Bit_ + "\\" + name_);
    if (wow64_) expected.push_back(programs64Bit_ + "\\" + name_);
    if (wow64_) expected.push_back("SOFTWARE\\Wow6432Node\\" + name_ + "\\Shared");
    ASSERT_EQ(Locations(r), expected);

    EXPECT_EQ(engine.AdRepair(r), 1);
    for (REGSAM view : views_) {
        EXPECT_FALSE(pvtest::KeyExists(HKEY_LOCAL_MACHINE, key_ + "\\Ad", view)) << view;
        EXPECT_FALSE(pvtest::ReadValue(HKEY_LOCAL_MACHINE, key_, "AdStart", view).present) << view;
        EXPECT_FALSE(pvtest::KeyExists(HKEY_CLASSES_ROOT, clsid_, view)) << view;
    }
    for (const std::string& folder : systemFolders) {
        EXPECT_FALSE(Exists(folder + "\\" + file)) << folder;
        EXPECT_FALSE(Exists(folder + "\\" + name_)) << folder;
    }
    for (const std::string& folder : programFolders) EXPECT_FALSE(Exists(folder + "\\" + name_)) << folder;
    EXPECT_EQ(engine.AdScan(0).foundCount, 0u) << "a rescan finds nothing";
}

TEST_F(Wow64Traces, RepairActsWhereTheScanFoundNotWhereTheNameLeads) {
    if (!wow64_) GTEST_SKIP() << "one view on 32-bit Windows";
    const std::string file = name_ + ".dll";
    ASSERT_TRUE(pvtest::SetValue(HKEY_LOCAL_MACHINE, key_ + "\\Only64", "v", "x", REG_SZ, view64_));
    WriteText(systemReached_ + "\\" + file, "x");
    const AdScanResult r = ScanOne({MakeItem(4, key_ + "\\Only64"), MakeItem(0, "%sys%", file)});
    ASSERT_EQ(Locations(r), (std::vector<std::string>{key_ + "\\Only64", system_ + "\\" + file}));

    // The same names appear in the 32-bit half after the scan: not found, so kept.
    ASSERT_TRUE(pvtest::SetValue(HKEY_LOCAL_MACHINE, key_ + "\\Only64", "v", "x"));
    WriteText(system32Bit_ + "\\" + file, "x");
    EXPECT_EQ(engine.AdRepair(r), 1);
    EXPECT_FALSE(pvtest::KeyExists(HKEY_LOCAL_MACHINE, key_ + "\\Only64", view64_));
    EXPECT_FALSE(Exists(systemReached_ + "\\" + file));
    EXPECT_TRUE(pvtest::KeyExists(HKEY_LOCAL_MACHINE, key_ + "\\Only64"));
    EXPECT_TRUE(Exists(system32Bit_ + "\\" + file));
}

TEST_F(Wow64Traces, SixtyFourBitProcessNamedByARecordIsEnded) {
    if (!wow64_) GTEST_SKIP() << "no 64-bit process on 32-bit Windows";
    const std::string program = name_ + ".exe";
    HANDLE victim = StartVictim(systemReached_ + "\\" + program, "engine_victim64.exe");
    ASSERT_NE(victim, nullptr);
    adb::Item item = MakeItem(0, "%sys%", program);
    item.killOwnProcess = 1;
    const AdScanResult r = ScanOne({item});
    ASSERT_EQ(Locations(r), std::vector<std::string>{system_ + "\\" + program});

    EXPECT_EQ(engine.AdRepair(r), 1) << "the file goes once its process has ended";
    EXPECT_EQ(WaitForSingleObject(victim, 10000), WAIT_OBJECT_0);
    DWORD code = 99;
    GetExitCodeProcess(victim, &code);
    EXPECT_EQ(code, 0u) << "ended with exit code 0, not by itself (7)";
    EXPECT_FALSE(Exists(systemReached_ + "\\" + program));
    TerminateProcess(victim, 1);
    CloseHandle(victim);
}

}  // namespace
