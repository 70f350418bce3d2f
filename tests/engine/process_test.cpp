// Process listing (Taskwalk.dll) and the terminations of the repair, NT family.
#include <gtest/gtest.h>
#include <string.h>

#include "engine/process_table.h"
#include "tests/support/engine_probe.h"
#include "proclist/taskwalk.h"

namespace {

using namespace enginetest;

TEST(Taskwalk, ListsOwnProcessWithAWorkingHandle) {
    HMODULE library = LoadLibraryA("Taskwalk.dll");
    ASSERT_NE(library, nullptr);
    auto list = reinterpret_cast<GetProcessListNtFn>(
        reinterpret_cast<void (*)()>(GetProcAddress(library, "GetProcessList_nt")));
    ASSERT_NE(list, nullptr);

    // One guard entry after the 255 the list may write.
    static char names[256][255];
    HANDLE handles[256];
    memset(names, 0x7E, sizeof(names));
    for (HANDLE& h : handles) h = INVALID_HANDLE_VALUE;
    int32_t count = list(names, handles);
    ASSERT_GE(count, 1);
    ASSERT_LE(count, 255);
    EXPECT_EQ(names[255][0], 0x7E);
    EXPECT_EQ(handles[255], INVALID_HANDLE_VALUE);

    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    auto getProcessId = reinterpret_cast<DWORD(WINAPI*)(HANDLE)>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetProcessId")));
    ASSERT_NE(getProcessId, nullptr);
    // Other copies of this test program may run at the same time: the entry
    // with this path whose handle names this very process.
    int own = -1;
    for (int i = 0; i < count; ++i) {
        ASSERT_NE(memchr(names[i], 0, 255), nullptr) << "entry " << i << " ends inside its 255 bytes";
        if (lstrcmpiA(names[i], self) == 0 && getProcessId(handles[i]) == GetCurrentProcessId()) own = i;
    }
    ASSERT_GE(own, 0) << self;
    DWORD code = 0;
    EXPECT_TRUE(GetExitCodeProcess(handles[own], &code));
    EXPECT_EQ(code, static_cast<DWORD>(STILL_ACTIVE));
    for (int i = 0; i < count; ++i) CloseHandle(handles[i]);
    FreeLibrary(library);
}

TEST(ProcessTable, RefreshFindsOwnProcessByPathPrefixWithoutRegardToCase) {
    engine::ProcessTable table;
    ASSERT_TRUE(table.NtFamily());
    table.Refresh();
    ASSERT_GE(table.Count(), 1);
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    CharLowerA(self);
    int i = table.Find(self);
    ASSERT_GE(i, 0);
    EXPECT_NE(table.Handle(i), nullptr);
    EXPECT_EQ(table.Find(""), -1) << "an empty path matches nothing";
    EXPECT_EQ(table.Find("\x01"), -1) << "unused slots never match";
    self[strlen(self) - 4] = 0;  // without ".exe": still the beginning of the name
    EXPECT_EQ(table.Find(self), i);
}

class KillTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(engine.ok()); }
    void TearDown() override {
        if (victim) {
            TerminateProcess(victim, 1);
            WaitForSingleObject(victim, 5000);
            CloseHandle(victim);
        }
    }
    TempFolder folder;  // outlives the engine, which keeps its database open
    Engine engine;
    HANDLE victim = nullptr;
};

TEST_F(KillTest, KillOwnProcessEndsTheHelperAndDeletesItsFile) {
    std::string exe = folder / "Victim.exe";
    victim = StartVictim(exe);
    ASSERT_NE(victim, nullptr);
    ASSERT_TRUE(IsRunning(victim));
    adb::Item item = MakeItem(0, folder.path(), "Victim.exe");
    item.killOwnProcess = 1;
    std::string db = WriteDatabase(folder, {MakeRecord(3, "Victim", {item})});
    ASSERT_EQ(engine.LoadADB(db.c_str()), 0);
    AdScanResult r = engine.AdScan(0);
    ASSERT_EQ(r.foundCount, 1u);
    EXPECT_EQ(engine.AdRepair(r), 1);
    ASSERT_EQ(WaitForSingleObject(victim, 10000), WAIT_OBJECT_0);
    DWORD code = 99;
    GetExitCodeProcess(victim, &code);
    EXPECT_EQ(code, 0u) << "ended with exit code 0, not by itself (7)";
    EXPECT_FALSE(Exists(exe));
}

TEST_F(KillTest, RundllAndOwnProcessEndBeforeTheItemIsDeleted) {
    // The system's Rundll32.exe running a library whose entry point waits a
    // minute. On 64-bit Windows a 32-bit program starting it from the system
    // folder gets the 32-bit one, from the 32-bit system folder.
    char system[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    std::string rundll = std::string(system) + "\\rundll32.exe";
    std::string command = "\"" + rundll + "\" \"" + ProgramFolder() + "\\engine_rundll_sleeper.dll\",Stay";
    // Its window may start Wine's desktop process, which must not inherit
    // this test's output: give rundll32 the null device instead.
    SECURITY_ATTRIBUTES inherit = {sizeof(inherit), nullptr, TRUE};
    HANDLE nul = CreateFileA("NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                             OPEN_EXISTING, 0, nullptr);
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = startup.hStdOutput = startup.hStdError = nul;
    PROCESS_INFORMATION info = {};
    BOOL started = CreateProcessA(rundll.c_str(), &command[0], nullptr, nullptr, TRUE, DETACHED_PROCESS, nullptr,
                                  nullptr, &startup, &info);
    CloseHandle(nul);
    ASSERT_TRUE(started);
    CloseHandle(info.hThread);
    HANDLE rundllProcess = info.hProcess;
    Sleep(500);
    ASSERT_TRUE(IsRunning(rundllProcess)) << "rundll32 runs the sleeper";

    std::string exe = folder / "Victim.exe";
    victim = StartVictim(exe);
    ASSERT_NE(victim, nullptr);
    adb::Item item = MakeItem(0, folder.path(), "Victim.exe");
    item.killRundll32 = 1;
    item.killOwnProcess = 1;
    std::string db = WriteDatabase(folder, {MakeRecord(3, "Victim", {item})});
    ASSERT_EQ(engine.LoadADB(db.c_str()), 0);
    AdScanResult r = engine.AdScan(0);
    ASSERT_EQ(r.foundCount, 1u);
    EXPECT_EQ(engine.AdRepair(r), 1) << "the file goes once its process has ended";
    EXPECT_EQ(WaitForSingleObject(rundllProcess, 10000), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(victim, 10000), WAIT_OBJECT_0);
    EXPECT_FALSE(Exists(exe));
    TerminateProcess(rundllProcess, 1);
    CloseHandle(rundllProcess);
}

TEST_F(KillTest, WithoutTaskwalkNothingIsEndedButFilesAndKeysAreDeleted) {
    // A folder holding only the engine and a small caller: LoadLibrary finds
    // no Taskwalk.dll beside the program or in the system folders.
    std::string bin = ProgramFolder();
    std::string alone = folder / "NoTaskwalk";
    CreateDirectoryA(alone.c_str(), nullptr);
    ASSERT_TRUE(CopyFileA((bin + "\\Purvex.dll").c_str(), (alone + "\\Purvex.dll").c_str(), FALSE));
    ASSERT_TRUE(CopyFileA((bin + "\\engine_repair_child.exe").c_str(), (alone + "\\child.exe").c_str(), FALSE));

    std::string exe = folder / "Victim.exe";
    victim = StartVictim(exe);
    ASSERT_NE(victim, nullptr);
    WriteText(folder / "other.dll", "x");
    TestKey key(HKEY_CURRENT_USER, "Software");
    adb::Item own = MakeItem(0, folder.path(), "Victim.exe");
    own.killOwnProcess = 1;
    std::string db = WriteDatabase(folder, {MakeRecord(3, "Victim", {own, MakeItem(0, folder.path(), "other.dll"),
                                                                     MakeItem(3, key.path())})});
    std::string command = "\"" + alone + "\\child.exe\" \"" + db + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION child = {};
    ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, alone.c_str(), &startup,
                               &child));
    CloseHandle(child.hThread);
    ASSERT_EQ(WaitForSingleObject(child.hProcess, 30000), WAIT_OBJECT_0);
    DWORD code = 0;
    GetExitCodeProcess(child.hProcess, &code);
    CloseHandle(child.hProcess);
    EXPECT_EQ(code, 31u) << "three items found, last outcome success";
    EXPECT_TRUE(IsRunning(victim)) << "no process list: nothing is ended";
    EXPECT_TRUE(Exists(exe)) << "a running program's file cannot be deleted";
    EXPECT_FALSE(Exists(folder / "other.dll"));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, key.path()));
}

}  // namespace
