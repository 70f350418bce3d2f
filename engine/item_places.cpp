#include "engine/item_places.h"

#include <string>

#include "base/unique_handle.h"
#include "base/wow64.h"

namespace engine {

namespace {

// The folders that come in pairs under WOW64, read once per process.
struct TwinFolders {
    std::string system;             // the system folder by its own name
    std::string systemReached;      // "Sysnative": how this process reaches it ("" when it cannot)
    std::string system32Bit;        // "SysWOW64"
    std::string programFiles32Bit;  // %ProgramFiles% as this process sees it
    std::string programFiles64Bit;  // "Program Files"
};

std::string Folder(UINT(WINAPI* query)(LPSTR, UINT)) {
    char path[kPathSize];
    const UINT n = query ? query(path, kPathSize) : 0;
    return n > 0 && n < kPathSize ? std::string(path) : std::string();
}

std::string Environment(const char* name) {
    char value[kPathSize];
    const DWORD n = GetEnvironmentVariableA(name, value, kPathSize);
    return n > 0 && n < kPathSize ? std::string(value) : std::string();
}

// "Program Files" as the 64-bit half names it: ProgramW6432 (Windows 7 on),
// else the 64-bit view's own record of it.
std::string ProgramFiles64Bit() {
    std::string folder = Environment("ProgramW6432");
    if (!folder.empty()) return folder;
    base::UniqueHKey key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", 0,
                      KEY_QUERY_VALUE | base::Registry64View(), key.put()) != ERROR_SUCCESS)
        return folder;
    char value[kPathSize] = {};
    DWORD size = sizeof value - 1, type = 0;
    if (RegQueryValueExA(key.get(), "ProgramFilesDir", nullptr, &type, reinterpret_cast<BYTE*>(value), &size) ==
            ERROR_SUCCESS &&
        type == REG_SZ)
        folder = value;
    return folder;
}

TwinFolders ReadTwinFolders() {
    TwinFolders twins;
    twins.system = Folder(GetSystemDirectoryA);
    twins.systemReached = base::NativeSystemFolder();
    twins.system32Bit = Folder(base::SystemWow64Directory);
    twins.programFiles32Bit = Environment("ProgramFiles");
    twins.programFiles64Bit = ProgramFiles64Bit();
    return twins;
}

// NULL outside WOW64.
const TwinFolders* Twins() {
    if (!base::RunsUnderWow64()) return nullptr;
    static const TwinFolders twins = ReadTwinFolders();
    return &twins;
}

// The spelling the system itself reads: relative parts, "." and ".." and
// forward slashes resolved (no file-system access).
bool FullPath(const char* path, char* out) {
    const DWORD n = GetFullPathNameA(path, kPathSize, out, nullptr);
    return n > 0 && n < kPathSize;
}

// What follows folder in path ("" or "\..."), when path is folder or lies in
// it; NULL otherwise.
const char* RestIn(const char* path, const std::string& folder) {
    if (folder.empty() || !StartsWithNoCase(path, folder.c_str())) return nullptr;
    const char* rest = path + folder.size();
    return *rest == 0 || *rest == '\\' ? rest : nullptr;
}

// HKCR and HKLM\SOFTWARE: the keys the system splits into two views.
bool IsSplitKey(adb::RootKey root, const char* subkey) {
    if (root == adb::RootKey::classesRoot) return true;
    if (root != adb::RootKey::localMachine) return false;
    while (*subkey == '\\') ++subkey;
    return EqualsNoCaseN(subkey, "SOFTWARE", 8) && (subkey[8] == 0 || subkey[8] == '\\');
}

// The twin paths folder32 + rest and folder64 + rest.
int TwinPaths(const std::string& folder32, const std::string& folder64, const char* rest, ItemPlace places[2]) {
    if (folder32.empty() || folder64.empty() || EqualsNoCase(folder32.c_str(), folder64.c_str())) return 1;
    char seen[kPathSize];
    if (JoinText(seen, kPathSize, folder32.c_str(), rest)) JoinText(places[0].location, kPathSize, seen);
    places[1].view = View::k64Bit;
    return JoinText(places[1].location, kPathSize, folder64.c_str(), rest) ? 2 : 1;
}

}  // namespace

int PlacesOf(adb::ItemKind kind, adb::RootKey root, const char* location, ItemPlace places[2]) {
    places[0].view = View::kSeen;
    JoinText(places[0].location, kPathSize, location);
    const TwinFolders* twins = Twins();
    if (!twins) return 1;

    if (kind == adb::ItemKind::key || kind == adb::ItemKind::value) {
        if (!IsSplitKey(root, location)) return 1;
        places[1].view = View::k64Bit;
        JoinText(places[1].location, kPathSize, location);
        return 2;
    }
    char full[kPathSize];
    if ((kind != adb::ItemKind::file && kind != adb::ItemKind::folder) || !FullPath(location, full)) return 1;
    if (!twins->systemReached.empty()) {
        if (const char* rest = RestIn(full, twins->system))
            return TwinPaths(twins->system32Bit, twins->system, rest, places);
    }
    const char* rest = RestIn(full, twins->programFiles64Bit);
    if (!rest) rest = RestIn(full, twins->programFiles32Bit);
    return rest ? TwinPaths(twins->programFiles32Bit, twins->programFiles64Bit, rest, places) : 1;
}

REGSAM RegistryViewFlag(View view) { return view == View::k64Bit ? base::Registry64View() : 0; }

bool ReachablePath(const char* location, View view, char* out) {
    const TwinFolders* twins = Twins();
    char full[kPathSize];
    if (view == View::k64Bit && twins && !twins->systemReached.empty() && FullPath(location, full)) {
        if (const char* rest = RestIn(full, twins->system))
            return JoinText(out, kPathSize, twins->systemReached.c_str(), rest);
    }
    return JoinText(out, kPathSize, location);
}

namespace {
bool Identity(const char* path, BY_HANDLE_FILE_INFORMATION* info) {
    base::UniqueFile handle(CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return handle && GetFileInformationByHandle(handle.get(), info);
}
}  // namespace

bool SameFileOrFolder(const char* a, const char* b) {
    BY_HANDLE_FILE_INFORMATION first = {}, second = {};
    return Identity(a, &first) && Identity(b, &second) && first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
           first.nFileIndexHigh == second.nFileIndexHigh && first.nFileIndexLow == second.nFileIndexLow;
}

}  // namespace engine
