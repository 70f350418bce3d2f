// The 9x-family paths of the engine. This program runs in Wine's win98
// version mode (scripts/wine-prefix.reg), so GetVersionExA reports platform 1.
#include <gtest/gtest.h>

#include "backup/keeper.h"
#include "backup/restore.h"
#include "base/deletion.h"
#include "base/restart_schedule.h"
#include "engine/process_table.h"
#include "engine/repair.h"
#include "tests/support/engine_probe.h"
#include "tests/support/restart_sandbox.h"
#include "tests/support/sandbox.h"

namespace {

using namespace enginetest;

TEST(Engine9x, RunsAsThe9xFamily) {
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof(info);
    ASSERT_TRUE(GetVersionExA(&info));
    ASSERT_EQ(info.dwPlatformId, static_cast<DWORD>(VER_PLATFORM_WIN32_WINDOWS));
    engine::ProcessTable table;
    EXPECT_FALSE(table.NtFamily());
}

TEST(Engine9x, ProgramFilesIsOnTheWindowsDrive) {
    TempFolder folder;  // outlives the engine, which keeps its database open
    Engine engine;
    ASSERT_TRUE(engine.ok());
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    std::string name = "PurvexTest9x_" + std::to_string(GetCurrentProcessId());
    std::string real = std::string(1, windows[0]) + ":\\Program Files\\" + name;
    ASSERT_TRUE(CreateDirectoryA(real.c_str(), nullptr));
    std::string db = WriteDatabase(folder, {MakeRecord(1, "9x", {MakeItem(1, "%ProgramFiles%\\" + name),
                                                                 MakeItem(1, "%USERPROFILE%")})});
    ASSERT_EQ(engine.LoadADB(db.c_str()), 0);
    AdScanResult r = engine.AdScan(0);
    RemoveDirectoryA(real.c_str());
    ASSERT_EQ(r.foundCount, 2u);
    EXPECT_STREQ(r.items[0].location, real.c_str());
    EXPECT_STREQ(r.items[1].location, windows) << "the profile variable is the Windows folder on this family";
}

TEST(Engine9x, TableHoldsSnapshotNamesWithoutHandles) {
    engine::ProcessTable table;
    table.Refresh();
    ASSERT_GE(table.Count(), 1);
    ASSERT_LE(table.Count(), 255);
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string base = self;
    base = base.substr(base.find_last_of('\\') + 1);
    bool found = false;
    for (int i = 0; i < table.Count(); ++i) {
        EXPECT_EQ(table.Handle(i), nullptr);
        // Wine's snapshot names carry no folder; the 9x family's carry the full path.
        std::string name = table.Name(i);
        if (name.size() >= base.size() && lstrcmpiA(name.c_str() + name.size() - base.size(), base.c_str()) == 0)
            found = true;
    }
    EXPECT_TRUE(found);
}

TEST(Engine9x, KillEndsTheSnapshotProcessWithItsOwnExitCodeAndWaits) {
    TempFolder folder;
    std::string name = "victim9x_" + std::to_string(GetCurrentProcessId()) + ".exe";
    HANDLE victim = StartVictim(folder / name);
    ASSERT_NE(victim, nullptr);
    // The snapshot's executable name as this platform reports it: the full
    // path on the 9x family, the bare name under Wine.
    std::string path = folder / name;
    engine::ProcessTable table;
    table.Refresh();
    bool bare = table.Find(path.c_str()) < 0;
    engine::KillProcessByPath(table, bare ? name.c_str() : path.c_str());
    EXPECT_EQ(WaitForSingleObject(victim, 0), WAIT_OBJECT_0) << "the kill waits until the process has ended";
    DWORD code = 0;
    GetExitCodeProcess(victim, &code);
    EXPECT_EQ(code, static_cast<DWORD>(STILL_ACTIVE)) << "terminated with the exit code it reported";
    TerminateProcess(victim, 1);
    WaitForSingleObject(victim, 5000);
    CloseHandle(victim);
}

TEST(Engine9x, KillOfAnUnknownOrEmptyPathEndsNothing) {
    TempFolder folder;
    HANDLE victim = StartVictim(folder / "bystander9x.exe");
    ASSERT_NE(victim, nullptr);
    engine::ProcessTable table;
    table.Refresh();
    engine::KillProcessByPath(table, "C:\\no\\such\\program.exe");
    engine::KillProcessByPath(table, "");
    engine::KillProcessByPath(table, nullptr);
    EXPECT_TRUE(IsRunning(victim));
    TerminateProcess(victim, 1);
    WaitForSingleObject(victim, 5000);
    CloseHandle(victim);
}

// Without handle calls the backup moves by path: a file, a folder tree, and
// back. Wine offers the handle calls in this mode too, so the deletion layer
// is switched to its path way here, in this process's own copy of it.
TEST(Engine9x, ABackupKeepsAndPutsBackByPath) {
    base::UsePathCallsForTests();
    TempFolder folder;
    WriteText(folder / "ad.exe", "ad");
    ASSERT_TRUE(pvtest::MakeFolders(folder / "Tree\\Inner"));
    WriteText(folder / "Tree\\Inner\\x.dll", "x");
    pvtest::CurrentFolder home(folder.path());  // backups live in the program's own folders only
    const std::string kept = folder / "PurvexBackup\\00000001";
    {
        backup::Keeper keeper(kept);
        ASSERT_TRUE(keeper.ok());
        for (const char* name : {"ad.exe", "Tree"}) {
            base::HeldItem item = base::HoldPath((folder / name).c_str());
            EXPECT_TRUE(keeper.KeepFileOrFolder(item, false, "9x")) << name;
        }
    }
    EXPECT_FALSE(base::IdentityOf(folder.path().c_str()).Known()) << "the path way knows no identities";
    EXPECT_EQ(pvtest::ReadBytes(kept + "\\0002_Tree\\Inner\\x.dll.bak"), "x");
    EXPECT_FALSE(Exists(folder / "ad.exe"));
    EXPECT_EQ(backup::RestoreBackup(kept), 2);
    EXPECT_EQ(pvtest::ReadBytes(folder / "ad.exe"), "ad");
    EXPECT_EQ(pvtest::ReadBytes(folder / "Tree\\Inner\\x.dll"), "x");
}

// A file held open is left for the next start in WININIT.INI, by its short
// path, and goes when the start (wineboot) carries out the [rename] section.
TEST(Engine9x, AFileInUseIsLeftInWininitForTheNextStart) {
    base::UsePathCallsForTests();
    TempFolder folder;
    pvtest::RestartSandbox restart;
    const std::string file = folder / "busy program.exe";
    WriteText(file, "ad");
    char shortPath[MAX_PATH];
    ASSERT_GT(GetShortPathNameA(file.c_str(), shortPath, MAX_PATH), 0u);
    base::UniqueFile held(CreateFileA(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    AdwareItem item = {0, const_cast<char*>(file.c_str()), const_cast<char*>(""), 0, 0, 0};
    const AdScanResult result = {1, const_cast<char*>("9x"), 1, &item};
    engine::ProcessTable table;
    engine::RestartRemoval left;
    left.SetMode(PURVEX_RESTART_KEPT);
    uint8_t outcome = 0;
    EXPECT_EQ(engine::RepairResult(result, table, nullptr, nullptr, &outcome, &left), 1);
    EXPECT_EQ(outcome, PURVEX_ITEM_AT_RESTART);
    EXPECT_EQ(restart.Wininit(), std::string("[rename]\r\nNUL=") + shortPath + "\r\n");
    EXPECT_TRUE(base::IsRemovalPending(file));
    held.reset();
    ASSERT_TRUE(restart.Restart());
    EXPECT_FALSE(Exists(file));
    EXPECT_EQ(restart.Wininit(), "") << "the start renames it to wininit.bak";
}

}  // namespace
