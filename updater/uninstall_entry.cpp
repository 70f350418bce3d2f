#include "updater/uninstall_entry.h"

#include <windows.h>

#include <string>
#include <vector>

#include "base/deletion.h"
#include "base/unique_handle.h"

namespace freshen {

const char kUninstallKeyPath[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Purvex";

namespace {

std::string WithoutTrailingBackslash(std::string path) {
    while (path.size() > 3 && path.back() == '\\') path.pop_back();
    return path;
}

bool SameFolder(const std::string& a, const std::string& b) {
    if (lstrcmpiA(WithoutTrailingBackslash(a).c_str(), WithoutTrailingBackslash(b).c_str()) == 0) return true;
    return base::SameIdentity(base::IdentityOf(a.c_str()), base::IdentityOf(b.c_str()));
}

// A text value, whatever its stored terminator; empty when missing.
std::string ReadText(HKEY key, const char* name) {
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS || type != REG_SZ || size == 0)
        return std::string();
    std::vector<char> data(size + 1, '\0');
    if (RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS)
        return std::string();
    return std::string(data.data());
}

}  // namespace

bool UpdateDisplayVersion(const char* folder, const char* version) {
    base::UniqueHKey key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kUninstallKeyPath, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, key.put()) !=
        ERROR_SUCCESS)
        return false;
    const std::string location = ReadText(key.get(), "InstallLocation");
    if (location.empty() || !SameFolder(location, folder)) return false;
    return RegSetValueExA(key.get(), "DisplayVersion", 0, REG_SZ, reinterpret_cast<const BYTE*>(version),
                          static_cast<DWORD>(strlen(version) + 1)) == ERROR_SUCCESS;
}

}  // namespace freshen
