#include "engine_test_support.h"

#include <gtest/gtest.h>
#include <shlwapi.h>

#include "tests/support/sandbox.h"

namespace enginetest {

namespace {

std::string UniqueName(const char* prefix) {
    static LONG counter = 0;
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(prefix) + std::to_string(GetCurrentProcessId()) + "_" +
                       std::to_string(InterlockedIncrement(&counter));
    if (test) name += std::string("_") + test->name();
    return name;
}

}  // namespace

TempFolder::TempFolder() {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    // Process ids come back; a folder left by an earlier run is skipped.
    for (int attempt = 0; attempt < 100; ++attempt) {
        path_ = std::string(temp) + UniqueName("purvex_");
        if (CreateDirectoryA(path_.c_str(), nullptr)) return;
    }
    ADD_FAILURE() << "cannot create a temporary folder " << path_;
}

TempFolder::~TempFolder() { pvtest::RemoveTree(path_); }

TestKey::TestKey(HKEY root, const std::string& parent) : root_(root) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        path_ = (parent.empty() ? "" : parent + "\\") + UniqueName("PurvexTest_");
        if (!KeyExists(root_, path_)) break;
    }
    CreateKey(root_, path_);
}

TestKey::~TestKey() {
    std::wstring wide(path_.begin(), path_.end());
    SHDeleteKeyW(root_, wide.c_str());  // wide: subkeys may have names the code page cannot hold
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    if (!bytes.empty()) WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    ASSERT_EQ(written, bytes.size());
}

void WriteText(const std::string& path, const std::string& text) {
    WriteBytes(path, std::vector<uint8_t>(text.begin(), text.end()));
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void CreateKey(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS)
        << path;
    RegCloseKey(key);
}

static void SetValue(HKEY root, const std::string& path, const char* name, DWORD type, const void* data,
                     size_t size) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    LONG status = RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), static_cast<DWORD>(size));
    RegCloseKey(key);
    ASSERT_EQ(status, ERROR_SUCCESS);
}

void SetStringValue(HKEY root, const std::string& key, const char* name, const std::string& data) {
    SetValue(root, key, name, REG_SZ, data.c_str(), data.size() + 1);
}

void SetBinaryValue(HKEY root, const std::string& key, const char* name, size_t size) {
    std::vector<uint8_t> data(size, 0x5A);
    SetValue(root, key, name, REG_BINARY, data.data(), size);
}

bool KeyExists(HKEY root, const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

bool ValueExists(HKEY root, const std::string& path, const char* name) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    LONG status = RegQueryValueExA(key, name, nullptr, nullptr, nullptr, nullptr);
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

adb::Item MakeItem(uint8_t type, const std::string& location, const std::string& target) {
    adb::Item item;
    item.type = type;
    item.location = location;
    item.target = target;
    return item;
}

adb::Record MakeRecord(int32_t id, const std::string& name, const std::vector<adb::Item>& items) {
    adb::Record record;
    record.id = id;
    record.name = name;
    record.items = items;
    return record;
}

std::string WriteDatabase(const TempFolder& folder, const std::vector<adb::Record>& records,
                          const std::string& name) {
    adb::Database db;
    db.records = records;
    std::vector<uint8_t> bytes;
    EXPECT_EQ(adb::Encode(db, &bytes), adb::EncodeError::none);
    std::string path = folder.Sub(name);
    WriteBytes(path, bytes);
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
}

Engine::~Engine() {
    if (UnloadADB) UnloadADB();
    if (module) FreeLibrary(module);
}

bool Engine::ok() const {
    return module && LoadADB && UnloadADB && GetAdCount && AdScan && AdRepair && GetVer && SetStartPage &&
           SetBackupFolder && RestoreBackup;
}

std::string BinFolder() {
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string s(path, n);
    return s.substr(0, s.find_last_of('\\'));
}

HANDLE StartVictim(const std::string& path, const char* program) {
    std::string source = BinFolder() + "\\" + program;
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
