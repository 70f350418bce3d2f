// Sandboxes and helpers shared by the engine tests: a temporary folder, a
// throwaway registry key, database files built with the codec, the engine
// library loaded by name, and helper processes.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "adb/adb_codec.h"
#include "engine/purvex_engine.h"

namespace enginetest {

// A unique folder under the temporary path, removed with its contents.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    const std::string& path() const { return path_; }
    std::string Sub(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

// A unique key name created under a root and deleted (with subkeys) afterwards.
class TestKey {
public:
    TestKey(HKEY root, const std::string& parent);
    ~TestKey();
    HKEY root() const { return root_; }
    const std::string& path() const { return path_; }
    std::string Sub(const std::string& name) const { return path_ + "\\" + name; }

private:
    HKEY root_;
    std::string path_;
};

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes);
void WriteText(const std::string& path, const std::string& text);
bool Exists(const std::string& path);
void CreateKey(HKEY root, const std::string& path);
void SetStringValue(HKEY root, const std::string& key, const char* name, const std::string& data);
void SetBinaryValue(HKEY root, const std::string& key, const char* name, size_t size);
bool KeyExists(HKEY root, const std::string& path);
bool ValueExists(HKEY root, const std::string& key, const char* name);

adb::Item MakeItem(uint8_t type, const std::string& location, const std::string& target = "");
// A database of the given records written into folder as name; returns its path.
std::string WriteDatabase(const TempFolder& folder, const std::vector<adb::Record>& records,
                          const std::string& name = "test.adb");
adb::Record MakeRecord(int32_t id, const std::string& name, const std::vector<adb::Item>& items);

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
    bool ok() const;
};

// Copies the victim helper program (or its 64-bit build engine_victim64.exe) to path and starts it;
// returns the process handle (NULL on failure). The victim ends by itself after a minute.
HANDLE StartVictim(const std::string& path, const char* program = "engine_victim.exe");
bool IsRunning(HANDLE process);
std::string BinFolder();  // the folder of the running test program

}  // namespace enginetest
