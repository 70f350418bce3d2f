// The engine as the tests call it: Purvex.dll loaded by name with every
// export resolved by name, databases written for it, registry items planted
// for it (each a failure of the test when it cannot be done), and the helper
// processes it is to end.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "engine/purvex_engine.h"
#include "tests/support/registry_sandbox.h"
#include "tests/support/sandbox.h"
#include "tests/support/test_database.h"

namespace enginetest {

using pvtest::Exists;
using pvtest::KeyExists;
using pvtest::MakeItem;
using pvtest::MakeRecord;
using pvtest::ProgramFolder;
using pvtest::TempFolder;
using pvtest::TestKey;

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);
void WriteText(const std::string& path, const std::string& text);
void CreateKey(HKEY root, const std::string& path);
void SetStringValue(HKEY root, const std::string& key, const char* name, const std::string& data);
void SetBinaryValue(HKEY root, const std::string& key, const char* name, size_t size);  // size bytes 0x5A
bool ValueExists(HKEY root, const std::string& key, const char* name);

// A database of the given records written into folder as name; returns its path.
std::string WriteDatabase(const TempFolder& folder, const std::vector<adb::Record>& records,
                          const std::string& name = "test.adb");

// Purvex.dll loaded by name with every export resolved by name.
struct Engine {
    Engine();
    ~Engine();
    HMODULE module = nullptr;
    FtoolLoadAdbFn LoadADB = nullptr;
    FtoolUnloadAdbFn UnloadADB = nullptr;
    FtoolGetAdCountFn GetAdCount = nullptr;
    FtoolAdScanFn AdScan = nullptr;
    FtoolAdRepairFn AdRepair = nullptr;
    FtoolGetVerFn GetVer = nullptr;
    FtoolSetStartPageFn SetStartPage = nullptr;
    FtoolSetBackupFolderFn SetBackupFolder = nullptr;
    FtoolRestoreBackupFn RestoreBackup = nullptr;
    FtoolGetItemOutcomeFn GetItemOutcome = nullptr;
    FtoolSetRestartRemovalFn SetRestartRemoval = nullptr;
    FtoolGetItemReasonFn GetItemReason = nullptr;
    FtoolGetItemRestartPathFn GetItemRestartPath = nullptr;
    FtoolRemoveUnkeptAtRestartFn RemoveUnkeptAtRestart = nullptr;
    bool ok() const;
};

// Copies the victim helper program (or its 64-bit build engine_victim64.exe) to path and starts it;
// returns the process handle (NULL on failure). The victim ends by itself after a minute.
HANDLE StartVictim(const std::string& path, const char* program = "engine_victim.exe");
bool IsRunning(HANDLE process);

}  // namespace enginetest
