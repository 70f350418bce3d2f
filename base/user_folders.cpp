#include "base/user_folders.h"

#include <string.h>

#include "base/ansi_text.h"
#include "base/path_text.h"
#include "base/protected_locations.h"
#include "base/system_function.h"
#include "base/unique_handle.h"
#include "base/wow64.h"

namespace base {

namespace {

// The full path with long names where the folders exist, without a trailing
// backslash past its root; "" when there is none.
std::string LongFullPath(const std::string& path) {
    char full[MAX_PATH * 2];
    DWORD n = path.empty() ? 0 : GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    if (n == 0 || n >= sizeof full) return std::string();
    std::string out(full, n);
    using LongPathFn = DWORD(WINAPI*)(LPCSTR, LPSTR, DWORD);
    static const auto longPath = SystemFunction<LongPathFn>("kernel32.dll", "GetLongPathNameA");  // not on NT 4 or 95
    char longer[MAX_PATH * 2];
    n = longPath ? longPath(out.c_str(), longer, sizeof longer) : 0;
    if (n > 0 && n < sizeof longer) out.assign(longer, n);
    return WithoutTrailingSeparators(out);
}

std::string WindowsFolder() {
    char windows[MAX_PATH];
    const UINT n = GetWindowsDirectoryA(windows, MAX_PATH);
    return n > 0 && n < MAX_PATH ? std::string(windows, n) : std::string();
}

// A machine-wide variable of the system's environment (HKLM, which only
// administrators write) with its references to the Windows folder and its
// drive expanded from the system itself; "" when it is not set or refers to
// anything else (this process's environment is the user's to change).
std::string MachineVariable(const char* name) {
    UniqueHKey key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment", 0,
                      KEY_QUERY_VALUE, key.put()) != ERROR_SUCCESS)
        return std::string();
    char data[MAX_PATH] = {};
    DWORD size = sizeof data - 1, type = 0;
    if (RegQueryValueExA(key.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return std::string();
    const std::string windows = WindowsFolder();
    const struct {
        const char* reference;
        std::string value;
    } known[] = {{"%SystemRoot%", windows}, {"%windir%", windows}, {"%SystemDrive%", windows.substr(0, 2)}};
    std::string text = data, out;
    for (size_t at = 0; at < text.size();) {
        if (text[at] != '%') {
            out += text[at++];
            continue;
        }
        bool replaced = false;
        for (const auto& k : known) {
            const size_t n = strlen(k.reference);
            if (!replaced && !k.value.empty() && EqualsNoCaseN(text.c_str() + at, k.reference, n)) {
                out += k.value;
                at += n;
                replaced = true;
            }
        }
        if (!replaced) return std::string();
    }
    return out;
}

// The profile this process's user has on the NT family, as the system keeps
// it: userenv by the process's token, else the shell.
std::string ProfileOfToken() {
    using ProfileFn = BOOL(WINAPI*)(HANDLE, LPSTR, LPDWORD);
    UniqueModule userenv(LoadLibraryA("userenv.dll"));
    const auto query = userenv ? reinterpret_cast<ProfileFn>(reinterpret_cast<void (*)()>(
                                     GetProcAddress(userenv.get(), "GetUserProfileDirectoryA")))
                               : nullptr;
    UniqueHandleKernel token;
    char path[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    if (query && OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.put()) && query(token.get(), path, &size))
        return path;
    using FolderPathFn = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPSTR);
    UniqueModule shell(LoadLibraryA("shell32.dll"));
    const auto folderPath = shell ? reinterpret_cast<FolderPathFn>(reinterpret_cast<void (*)()>(
                                        GetProcAddress(shell.get(), "SHGetFolderPathA")))
                                  : nullptr;
    path[0] = 0;
    constexpr int kProfile = 0x0028;  // CSIDL_PROFILE
    return folderPath && SUCCEEDED(folderPath(nullptr, kProfile, nullptr, 0, path)) ? path : "";
}

// The 9x family's profile of the logged-on user, where profiles are on.
std::string ProfileOfUserName() {
    char user[257];
    DWORD size = sizeof user;
    if (!GetUserNameA(user, &size) || !user[0]) return std::string();
    const std::string key = std::string("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\ProfileList\\") + user;
    UniqueHKey opened;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_QUERY_VALUE, opened.put()) != ERROR_SUCCESS)
        return std::string();
    char path[MAX_PATH] = {};
    DWORD bytes = sizeof path - 1, type = 0;
    return RegQueryValueExA(opened.get(), "ProfileImagePath", nullptr, &type, reinterpret_cast<BYTE*>(path),
                            &bytes) == ERROR_SUCCESS && type == REG_SZ
               ? path
               : "";
}

bool IsSystemFolder(const OpenFolder& folder, const UserFolderBounds& bounds) {
    for (const std::string& own : bounds.systemFolders) {
        if (folder.identity().Known() ? SameIdentity(IdentityOf(own.c_str()), folder.identity())
                                      : EqualsNoCase(LongFullPath(own).c_str(), LongFullPath(folder.path()).c_str()))
            return true;
    }
    return false;
}

// The folder inside profile at relative, reached one folder at a time.
OpenFolder Below(const std::string& profile, const std::string& relative, UserFolderRefusal* refusal) {
    OpenFolder folder = OpenFolder::Resolved(profile.c_str());  // the system's own: as it resolves it
    for (const std::string& name : SplitAtSeparators(relative)) {
        FolderEntry entry;
        if (!folder.ok() || name.empty() || !folder.Find(name.c_str(), &entry) || !entry.IsFolder()) {
            *refusal = UserFolderRefusal::kAbsent;
            return OpenFolder();
        }
        folder = entry.IsLink() ? OpenFolder() : folder.Sub(entry);
        if (!folder.ok()) {
            *refusal = UserFolderRefusal::kLink;
            return folder;
        }
    }
    return folder;
}

}  // namespace

UserFolderBounds ReadUserFolderBounds() {
    UserFolderBounds bounds;
    bounds.profile = ProfileOfToken();
    if (bounds.profile.empty()) bounds.profile = ProfileOfUserName();
    const std::string windows = WindowsFolder();
    if (!windows.empty()) {
        for (const char* name : {"Temp", "History", "Cookies", "Recent", "Temporary Internet Files"})
            bounds.systemFolders.push_back(windows + "\\" + name);
    }
    for (const char* variable : {"TEMP", "TMP"}) {
        const std::string folder = MachineVariable(variable);
        if (!folder.empty()) bounds.systemFolders.push_back(folder);
    }
    return bounds;
}

OpenFolder OpenUserFolder(const char* folder, const UserFolderBounds& bounds, UserFolderRefusal* refusal) {
    *refusal = UserFolderRefusal::kNone;
    const std::string path = LongFullPath(folder ? folder : ""), profile = LongFullPath(bounds.profile);
    const bool inProfile = !profile.empty() && path.size() > profile.size() + 1 &&
                           StartsWithNoCase(path.c_str(), profile.c_str()) &&
                           path[profile.size()] == '\\';
    OpenFolder opened;
    if (inProfile) {
        opened = Below(profile, path.substr(profile.size() + 1), refusal);
        if (!opened.ok()) return opened;
    } else {
        opened = OpenFolder::Root(path.c_str());
        if (!opened.ok()) {
            const DWORD attributes = path.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesA(path.c_str());
            const bool link = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT);
            *refusal = link ? UserFolderRefusal::kLink : UserFolderRefusal::kAbsent;
            return opened;
        }
    }
    if (IsProtectedFolder(opened)) *refusal = UserFolderRefusal::kProtected;
    else if (!inProfile && !IsSystemFolder(opened, bounds)) *refusal = UserFolderRefusal::kOutside;
    return *refusal == UserFolderRefusal::kNone ? std::move(opened) : OpenFolder();
}

}  // namespace base
