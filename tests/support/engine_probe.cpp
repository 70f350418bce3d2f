#include "tests/support/engine_probe.h"

#include <gtest/gtest.h>

namespace enginetest {

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    ASSERT_TRUE(pvtest::WriteBytes(path, std::string(bytes.begin(), bytes.end()))) << path;
}

void WriteText(const std::string& path, const std::string& text) {
    ASSERT_TRUE(pvtest::WriteBytes(path, text)) << path;
}

void CreateKey(HKEY root, const std::string& path) {
    base::UniqueHKey key;
    ASSERT_EQ(RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.put(), nullptr),
              ERROR_SUCCESS)
        << path;
}

void SetStringValue(HKEY root, const std::string& key, const char* name, const std::string& data) {
    ASSERT_TRUE(pvtest::SetValue(root, key, name, data + '\0')) << key;
}

void SetBinaryValue(HKEY root, const std::string& key, const char* name, size_t size) {
    ASSERT_TRUE(pvtest::SetValue(root, key, name, std::string(size, '\x5A'), REG_BINARY)) << key;
}

bool ValueExists(HKEY root, const std::string& key, const char* name) {
    return pvtest::ReadValue(root, key, name).present;
}

std::string WriteDatabase(const TempFolder& folder, const std::vector<adb::Record>& records,
                          const std::string& name) {
    const std::string path = folder / name;
    EXPECT_TRUE(pvtest::WriteDatabase(path, records)) << path;
    return path;
}

template <typename T>
static void Resolve(HMODULE module, const char* name, T* out) {
    *out = reinterpret_cast<T>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

Engine::Engine() {
    module = LoadLibraryA("Purvex.dll");
    if (!module) return;
    Resolve(module, "ftool_LoadADB", &LoadADB);
    Resolve(module, "ftool_UnloadADB", &UnloadADB);
    Resolve(module, "ftool_GetAdCount", &GetAdCount);
    Resolve(module, "ftool_AdScan", &AdScan);
    Resolve(module, "ftool_AdRepair", &AdRepair);
    Resolve(module, "ftool_GetVer", &GetVer);
    Resolve(module, "ftool_SetStartPage", &SetStartPage);
    Resolve(module, "ftool_SetBackupFolder", &SetBackupFolder);
    Resolve(module, "ftool_RestoreBackup", &RestoreBackup);
    Resolve(module, "ftool_GetItemOutcome", &GetItemOutcome);
    Resolve(module, "ftool_SetRestartRemoval", &SetRestartRemoval);
    Resolve(module, "ftool_GetItemReason", &GetItemReason);
    Resolve(module, "ftool_GetItemRestartPath", &GetItemRestartPath);
    Resolve(module, "ftool_RemoveUnkeptAtRestart", &RemoveUnkeptAtRestart);
}

Engine::~Engine() {
    if (UnloadADB) UnloadADB();
    if (module) FreeLibrary(module);
}

bool Engine::ok() const {
    return module && LoadADB && UnloadADB && GetAdCount && AdScan && AdRepair && GetVer && SetStartPage &&
           SetBackupFolder && RestoreBackup && GetItemOutcome && SetRestartRemoval && GetItemReason &&
           GetItemRestartPath && RemoveUnkeptAtRestart;
}

HANDLE StartVictim(const std::string& path, const char* program) {
    const std::string source = pvtest::ProgramFolder() + "\\" + program;
    if (!CopyFileA(source.c_str(), path.c_str(), FALSE)) return nullptr;
    std::string command = "\"" + path + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(path.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return nullptr;
    CloseHandle(info.hThread);
    WaitForInputIdle(info.hProcess, 2000);
    return info.hProcess;
}

bool IsRunning(HANDLE process) { return WaitForSingleObject(process, 0) == WAIT_TIMEOUT; }

}  // namespace enginetest
