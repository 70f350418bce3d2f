#include "base/protected_locations.h"

#include <shlobj.h>
#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#include "base/ansi_text.h"
#include "base/deletion.h"
#include "base/path_text.h"
#include "base/registry_links.h"
#include "base/system_function.h"
#include "base/unique_handle.h"
#include "base/wow64.h"

namespace base {

namespace {

// ---------------------------------------------------------------------------
// Spellings of a folder path

// Forward slashes become backslashes (never inside a double-byte character),
// and the "\\?\" and "\\.\" prefixes go: the system reads the same folder
// with and without them.
std::string PlainSpelling(const std::string& text) {
    std::string out = WithBackslashes(text);
    if (out.compare(0, 8, "\\\\?\\UNC\\") == 0) out = "\\\\" + out.substr(8);
    else if (out.compare(0, 4, "\\\\?\\") == 0 || out.compare(0, 4, "\\\\.\\") == 0) out = out.substr(4);
    return out;
}

// The full, long spelling the system itself uses: relative paths against the
// current folder, "." and ".." resolved, short 8.3 names made long where the
// folder exists.
std::string Canonical(const std::string& written) {
    const std::string plain = PlainSpelling(written);
    char full[MAX_PATH * 2];
    DWORD n = GetFullPathNameA(plain.c_str(), sizeof full, full, nullptr);
    std::string path = (n > 0 && n < sizeof full) ? std::string(full) : plain;
    using LongPathFn = DWORD(WINAPI*)(LPCSTR, LPSTR, DWORD);
    static const auto longPath = SystemFunction<LongPathFn>("kernel32.dll", "GetLongPathNameA");  // not on NT 4 or 95
    char longer[MAX_PATH * 2];
    if (longPath) {
        n = longPath(path.c_str(), longer, sizeof longer);
        if (n > 0 && n < sizeof longer) path = longer;
    }
    return WithoutTrailingSeparators(PlainSpelling(path));
}

// Where the folder really is when the system can say so (a link anywhere on
// the way followed); "" when it cannot (no such call before Vista, or no such
// folder).
std::string FinalSpelling(const std::string& path) {
    using FinalPathFn = DWORD(WINAPI*)(HANDLE, LPSTR, DWORD, DWORD);
    static const auto finalPath = SystemFunction<FinalPathFn>("kernel32.dll", "GetFinalPathNameByHandleA");
    if (!finalPath) return std::string();
    base::UniqueFile folder(CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!folder) return std::string();
    char out[MAX_PATH * 2];
    DWORD n = finalPath(folder.get(), out, sizeof out, 0);
    if (n == 0 || n >= sizeof out) return std::string();
    return WithoutTrailingSeparators(PlainSpelling(out));
}

// Every spelling a folder is known by: as written and with environment
// references expanded, each in its canonical form and where it really leads.
std::vector<std::string> Spellings(const std::string& written) {
    std::vector<std::string> forms = {written};
    char expanded[MAX_PATH * 2];
    DWORD n = ExpandEnvironmentStringsA(written.c_str(), expanded, sizeof expanded);
    if (n > 0 && n <= sizeof expanded && written != expanded) forms.push_back(expanded);
    std::vector<std::string> spellings;
    for (const std::string& form : forms) {
        const std::string canonical = Canonical(form);
        spellings.push_back(canonical);
        const std::string real = FinalSpelling(canonical);
        if (!real.empty() && !EqualsNoCase(real.c_str(), canonical.c_str())) spellings.push_back(real);
    }
    return spellings;
}

bool IsDriveRoot(const std::string& canonical) { return RootLength(canonical) >= canonical.size(); }

// folder is inner itself or one of the folders that contain it.
bool ContainsOrIs(const std::string& folder, const std::string& inner) {
    if (folder.empty() || !StartsWithNoCase(inner.c_str(), folder.c_str())) return false;
    return inner.size() == folder.size() || folder.back() == '\\' || inner[folder.size()] == '\\';
}

// ---------------------------------------------------------------------------
// The protected folders of this system

std::string FromCall(UINT(WINAPI* query)(LPSTR, UINT)) {
    char folder[MAX_PATH];
    UINT n = query(folder, MAX_PATH);
    return (n > 0 && n < MAX_PATH) ? std::string(folder) : std::string();
}

std::string FromEnvironment(const char* name) {
    char value[MAX_PATH];
    DWORD n = GetEnvironmentVariableA(name, value, MAX_PATH);
    return (n > 0 && n < MAX_PATH) ? std::string(value) : std::string();
}

// A text value of an open key, environment references expanded; "" when
// there is none.
std::string ValueOf(HKEY key, const char* name) {
    char data[MAX_PATH] = {};
    DWORD size = sizeof data - 1, type = 0;
    if (RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return {};
    char expanded[MAX_PATH];
    DWORD n = ExpandEnvironmentStringsA(data, expanded, MAX_PATH);
    return (n > 0 && n <= MAX_PATH) ? std::string(expanded) : std::string(data);
}

std::string FromRegistry(const char* key, const char* name, REGSAM view = 0) {
    base::UniqueHKey opened;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, key, 0, KEY_QUERY_VALUE | view, opened.put()) != ERROR_SUCCESS) return {};
    return ValueOf(opened.get(), name);
}

// A shell folder by CSIDL: SHGetFolderPath of the shell or, on systems
// without it, of shfolder.dll, else SHGetSpecialFolderPath.
std::string ShellFolder(int csidl) {
    using FolderPathFn = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPSTR);
    using SpecialPathFn = BOOL(WINAPI*)(HWND, LPSTR, int, BOOL);
    char path[MAX_PATH] = {};
    for (const char* library : {"shell32.dll", "shfolder.dll"}) {
        base::UniqueModule module(LoadLibraryA(library));
        if (!module) continue;
        auto folderPath = reinterpret_cast<FolderPathFn>(
            reinterpret_cast<void (*)()>(GetProcAddress(module.get(), "SHGetFolderPathA")));
        if (folderPath && SUCCEEDED(folderPath(nullptr, csidl, nullptr, 0, path))) return path;
        auto specialPath = reinterpret_cast<SpecialPathFn>(
            reinterpret_cast<void (*)()>(GetProcAddress(module.get(), "SHGetSpecialFolderPathA")));
        if (specialPath && specialPath(nullptr, path, csidl, FALSE)) return path;
    }
    return std::string();
}

// userenv's folder queries (NT family only).
std::string ProfileFolder(const char* exportName) {
    using ProfileFn = BOOL(WINAPI*)(LPSTR, LPDWORD);
    base::UniqueModule userenv(LoadLibraryA("userenv.dll"));
    if (!userenv) return std::string();
    auto query =
        reinterpret_cast<ProfileFn>(reinterpret_cast<void (*)()>(GetProcAddress(userenv.get(), exportName)));
    char path[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    return (query && query(path, &size)) ? std::string(path) : std::string();
}

std::string FolderOf(const std::string& file) {
    const size_t slash = LastSeparator(file);
    return slash == std::string::npos ? std::string() : file.substr(0, slash);
}

// The folder of the module this code runs in (the engine library when it is
// loaded as Purvex.dll).
std::string OwnModuleFolder() {
    MEMORY_BASIC_INFORMATION info = {};
    if (!VirtualQuery(reinterpret_cast<const void*>(&OwnModuleFolder), &info, sizeof info)) return std::string();
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(static_cast<HMODULE>(info.AllocationBase), path, MAX_PATH);
    return (n > 0 && n < MAX_PATH) ? FolderOf(path) : std::string();
}

std::string ProgramFolder() {
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return (n > 0 && n < MAX_PATH) ? FolderOf(path) : std::string();
}

std::string CurrentFolder() {
    char path[MAX_PATH];
    DWORD n = GetCurrentDirectoryA(MAX_PATH, path);
    return (n > 0 && n < MAX_PATH) ? std::string(path) : std::string();
}

// The profile lists: the NT family's (by the users' SIDs) and the 9x
// family's (by their names), each in the registry's real view.
const char* const kProfileLists[] = {"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList",
                                     "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\ProfileList"};

// A profile the list names by a full path or by a name in the profiles folder.
std::string InProfiles(const std::string& profiles, const std::string& value) {
    if (value.empty() || value.find(':') != std::string::npos || value[0] == '\\') return value;
    return profiles.empty() ? std::string() : profiles + "\\" + value;
}

// Every user's profile the system knows of: each one in the profile lists,
// the all-users, default and public profiles (and the shared programs'
// data), and every folder in a profiles folder, whoever it belongs to.
std::vector<std::string> EveryProfile(const std::vector<std::string>& profileFolders) {
    std::vector<std::string> profiles;
    for (const char* list : kProfileLists) {
        base::UniqueHKey key;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, list, 0, KEY_READ | Registry64View(), key.put()) != ERROR_SUCCESS)
            continue;
        const std::string root = ValueOf(key.get(), "ProfilesDirectory");
        for (const char* shared : {"AllUsersProfile", "DefaultUserProfile", "Default", "Public", "ProgramData"})
            profiles.push_back(InProfiles(root, ValueOf(key.get(), shared)));
        char name[256];
        for (DWORD i = 0;; ++i) {
            DWORD size = sizeof name;
            if (RegEnumKeyExA(key.get(), i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
            base::UniqueHKey user;
            if (RegOpenKeyExA(key.get(), name, 0, KEY_QUERY_VALUE, user.put()) == ERROR_SUCCESS)
                profiles.push_back(ValueOf(user.get(), "ProfileImagePath"));
        }
    }
    for (const std::string& folder : profileFolders) {
        WIN32_FIND_DATAA found;
        base::UniqueFind find(folder.empty() ? INVALID_HANDLE_VALUE : FindFirstFileA((folder + "\\*").c_str(), &found));
        if (!find) continue;
        do {
            const std::string name = found.cFileName;
            if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != "." && name != "..")
                profiles.push_back(folder + "\\" + name);
        } while (FindNextFileA(find.get(), &found));
    }
    return profiles;
}

// Read afresh for every check: the folders are the running system's, and the
// current folder may have changed.
std::vector<std::string> ProtectedFolders() {
    const std::string windows = FromCall(GetWindowsDirectoryA);
    const std::string system = FromCall(GetSystemDirectoryA), system32 = FromCall(SystemWow64Directory);
    const std::string sysnative = windows.empty() ? std::string() : windows + "\\Sysnative";
    const std::vector<std::string> profileFolders = {
        ProfileFolder("GetProfilesDirectoryA"),
        FromRegistry("SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList", "ProfilesDirectory",
                     Registry64View())};
    const std::string written[] = {
        // The system itself: the Windows folder, the system folder, and on
        // 64-bit Windows the 32-bit system folder and the name by which a
        // 32-bit program reaches the 64-bit one; the drivers in each, the
        // 9x family's system folder (NT's 16-bit one) and the installer's
        // store of every installed package.
        windows,
        system,
        system32,
        sysnative,
        system.empty() ? std::string() : system + "\\drivers",
        system32.empty() ? std::string() : system32 + "\\drivers",
        sysnative.empty() ? std::string() : sysnative + "\\drivers",
        windows.empty() ? std::string() : windows + "\\System",
        windows.empty() ? std::string() : windows + "\\Installer",
        // Every installed program: the program folders, 32- and 64-bit.
        FromEnvironment("ProgramFiles"),
        FromEnvironment("ProgramFiles(x86)"),
        FromEnvironment("ProgramW6432"),
        ShellFolder(CSIDL_PROGRAM_FILES),
        FromRegistry("SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "ProgramFilesDir"),
        // Every user's files and settings: the profiles folder, the all-users,
        // default and public profiles, the current user's profile (every
        // other user's follows below).
        profileFolders[0],
        profileFolders[1],
        ProfileFolder("GetAllUsersProfileDirectoryA"),
        ProfileFolder("GetDefaultUserProfileDirectoryA"),
        FromEnvironment("ALLUSERSPROFILE"),
        FromEnvironment("PUBLIC"),
        FromEnvironment("USERPROFILE"),
        ShellFolder(CSIDL_PROFILE),
        ShellFolder(CSIDL_COMMON_APPDATA),
        // The user's own documents: the desktop and documents folders as
        // wholes (adware inside them may still go).
        ShellFolder(CSIDL_DESKTOPDIRECTORY),
        ShellFolder(CSIDL_PERSONAL),
        // This program: its installation folder holds the engine, the
        // databases and the scan logs; it is the current folder, and the
        // engine's and the program's own folder.
        OwnModuleFolder(),
        ProgramFolder(),
        CurrentFolder(),
    };
    std::vector<std::string> folders;
    auto add = [&folders](const std::string& folder) {
        if (folder.empty()) return;
        for (const std::string& spelling : Spellings(folder)) folders.push_back(spelling);
    };
    for (const std::string& folder : written) add(folder);
    for (const std::string& profile : EveryProfile(profileFolders)) add(profile);
    return folders;
}

// The parent folder of a canonical path; "" for a root.
std::string ParentOf(const std::string& path) {
    const size_t root = RootLength(path);
    if (path.size() <= root) return std::string();
    const size_t last = LastSeparator(path);
    return last == std::string::npos || last < root ? path.substr(0, root) : path.substr(0, last);
}

// The identities of the protected folders and of every folder that contains
// one, up to their roots: a folder with one of these identities is protected
// however it is reached (a link, a share, a device path, a short name).
std::vector<FileIdentity> ProtectedIdentities(const std::vector<std::string>& folders) {
    std::vector<std::string> seen;
    std::vector<FileIdentity> identities;
    for (std::string path : folders) {
        for (; !path.empty(); path = ParentOf(path)) {
            bool known = false;
            for (const std::string& done : seen) known = known || EqualsNoCase(done.c_str(), path.c_str());
            if (known) break;  // its parents were walked too
            seen.push_back(path);
            const FileIdentity identity = IdentityOf(path.c_str());
            if (identity.Known()) identities.push_back(identity);
        }
    }
    return identities;
}

bool IsProtectedIdentity(const FileIdentity& identity, const std::vector<std::string>& folders) {
    if (!identity.Known()) return false;
    for (const FileIdentity& known : ProtectedIdentities(folders))
        if (SameIdentity(known, identity)) return true;
    return false;
}

// ---------------------------------------------------------------------------
// Files the system owns

// The files without which the system does not start or nobody logs on, as
// they lie directly in the Windows folder or a system folder.
const char* const kSystemFiles[] = {
    "win.ini", "system.ini",                                     // read at start and log-on
    "userinit.exe", "explorer.exe", "winlogon.exe", "lsass.exe",  // the log-on and the shell
    "csrss.exe", "smss.exe", "services.exe", "svchost.exe",
    "ntoskrnl.exe", "ntkrnlpa.exe", "hal.dll", "ntdll.dll",      // the kernel and the hardware layer
    "kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll",   // what every program loads
    "shell32.dll", "msvcrt.dll", "ole32.dll", "oleaut32.dll", "rpcrt4.dll", "comctl32.dll", "shlwapi.dll",
    "ws2_32.dll", "wsock32.dll", "mswsock.dll", "wininet.dll", "urlmon.dll",  // the network and the browser
    "rundll32.exe", "regsvr32.exe", "cmd.exe", "regedit.exe",    // what starts and registers components
    "win.com", "krnl386.exe", "user.exe", "gdi.exe", "vmm32.vxd", "command.com", "rundll.exe",  // the 9x family
};

// The boot files at the root of a drive: the NT family's loader and its
// configuration, the 9x family's start files.
const char* const kBootFiles[] = {"ntldr",   "boot.ini",  "ntdetect.com", "bootmgr",     "io.sys",
                                  "msdos.sys", "command.com", "config.sys", "autoexec.bat"};

template <size_t N>
bool IsListedName(const std::string& name, const char* const (&listed)[N]) {
    for (const char* known : listed)
        if (EqualsNoCase(name.c_str(), known)) return true;
    return false;
}

// The Windows folder and the system folders, as the system names them.
std::vector<std::string> SystemFileFolders() {
    const std::string windows = FromCall(GetWindowsDirectoryA);
    std::vector<std::string> folders = {windows, FromCall(GetSystemDirectoryA), FromCall(SystemWow64Directory)};
    if (!windows.empty()) {
        folders.push_back(windows + "\\Sysnative");  // the real system folder, seen from WOW64
        folders.push_back(windows + "\\System");     // the 9x family's system folder, NT's 16-bit one
    }
    return folders;
}

// The roots of the fixed drives, by identity.
std::vector<FileIdentity> FixedDriveRoots() {
    std::vector<FileIdentity> roots;
    const DWORD drives = GetLogicalDrives();
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const char root[] = {letter, ':', '\\', 0};
        if (!(drives & (1u << (letter - 'A'))) || GetDriveTypeA(root) != DRIVE_FIXED) continue;
        const FileIdentity identity = IdentityOf(root);
        if (identity.Known()) roots.push_back(identity);
    }
    return roots;
}

// Whether name in folder (a canonical spelling; where it exists, of
// identity folderIdentity) is a file the system owns by its name and place.
bool IsSystemFileAt(const std::string& folder, const FileIdentity& folderIdentity, const std::string& name) {
    if (IsListedName(name, kBootFiles)) {
        if (IsDriveRoot(folder)) return true;
        for (const FileIdentity& root : FixedDriveRoots())
            if (SameIdentity(root, folderIdentity)) return true;
    }
    if (!IsListedName(name, kSystemFiles)) return false;
    for (const std::string& written : SystemFileFolders()) {
        if (written.empty()) continue;
        for (const std::string& spelling : Spellings(written))
            if (EqualsNoCase(spelling.c_str(), folder.c_str())) return true;
        if (SameIdentity(IdentityOf(written.c_str()), folderIdentity)) return true;
    }
    return false;
}

// By a spelling of the file's full path: its folder and its name.
bool IsSystemFileSpelling(const std::string& spelling) {
    const std::string folder = ParentOf(spelling);
    if (folder.empty()) return false;  // a root names no file
    const std::string name = spelling.substr(folder.size() + (folder.back() == '\\' ? 0 : 1));
    return IsSystemFileAt(folder, IdentityOf(folder.c_str()), name);
}

// Windows File Protection's own answer (sfc.dll, or sfc_os.dll where the
// call lives there; 2000 and later); false where the system has neither.
bool GuardedBySystem(const std::string& path) {
    using IsProtectedFn = BOOL(WINAPI*)(HANDLE, LPCWSTR);
    static const IsProtectedFn isProtected = [] {
        for (const char* library : {"sfc.dll", "sfc_os.dll"}) {
            const HMODULE module = LoadLibraryA(library);  // kept for the process's lifetime
            if (!module) continue;
            if (auto found = reinterpret_cast<IsProtectedFn>(
                    reinterpret_cast<void (*)()>(GetProcAddress(module, "SfcIsFileProtected"))))
                return found;
            FreeLibrary(module);
        }
        return IsProtectedFn(nullptr);
    }();
    if (!isProtected || path.empty()) return false;
    wchar_t wide[MAX_PATH * 2];
    const int n = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH * 2);
    return n > 0 && isProtected(nullptr, wide);
}

// ---------------------------------------------------------------------------
// Registry keys

// A listed key. The rule for most: the key itself, and every key that
// contains it, stays; its values and subkeys may go (an adware's entry under
// it is one of them). A key whose subkeys and values are as vital as the key
// itself is protected whole: nothing below it and none of its values is
// removed either.
struct ListedKey {
    const char* path;
    bool whole;
};

// HKEY_LOCAL_MACHINE. A numbered control set is read as the current one, a
// numbered hardware profile as the current one, a "Wow6432Node" twin as the
// key it mirrors.
const ListedKey kMachineKeys[] = {
    {"SOFTWARE", false},  // every program's settings
    {"SYSTEM", false},    // drivers, services, hardware
    {"SOFTWARE\\Microsoft", false},  // the system's own programs
    {"SOFTWARE\\Microsoft\\Windows", false},
    {"SOFTWARE\\Microsoft\\Windows\\CurrentVersion", false},
    // The Run-type keys: an adware's start entry is a value that may go, the
    // key holds every other program's.
    {"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", false},
    {"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run-", false},
    {"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce", false},
    {"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnceEx", false},
    {"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunServices", false},
    {"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunServicesOnce", false},
    {"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\Run", false},
    // Log-on: the shell, the user initialisation. Its subkeys (the Notify
    // entries adware uses) may go.
    {"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon", false},
    // Every user's profile entry: without its own one a user logs on to a
    // temporary profile, without the key no one logs on.
    {"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList", true},
    {"SOFTWARE\\Classes", false},          // file types and components
    {"SOFTWARE\\Classes\\CLSID", false},  // every registered component
    {"SYSTEM\\CurrentControlSet", false},  // the running configuration
    {"SYSTEM\\CurrentControlSet\\Services", false},  // every service and driver
    // How the system starts and runs: device classes, code pages, the
    // computer's name, the security packages, the order services start in.
    {"SYSTEM\\CurrentControlSet\\Control", false},
    {"SYSTEM\\CurrentControlSet\\Control\\Class", false},
    {"SYSTEM\\CurrentControlSet\\Control\\ComputerName", false},
    {"SYSTEM\\CurrentControlSet\\Control\\CriticalDeviceDatabase", false},
    {"SYSTEM\\CurrentControlSet\\Control\\GroupOrderList", false},
    {"SYSTEM\\CurrentControlSet\\Control\\hivelist", false},
    {"SYSTEM\\CurrentControlSet\\Control\\Lsa", false},
    {"SYSTEM\\CurrentControlSet\\Control\\Nls", false},
    {"SYSTEM\\CurrentControlSet\\Control\\ProductOptions", false},
    {"SYSTEM\\CurrentControlSet\\Control\\ServiceGroupOrder", false},
    {"SYSTEM\\CurrentControlSet\\Control\\Windows", false},
    // What Safe Mode loads is each subkey of SafeBoot: one lost driver or
    // service entry and Safe Mode no longer starts, when it is needed most.
    {"SYSTEM\\CurrentControlSet\\Control\\SafeBoot", true},
    // The session manager: its subkeys name the system's own libraries, its
    // subsystems, memory and devices, each needed to start Windows. The
    // environment key stays, its variables (values) may go.
    {"SYSTEM\\CurrentControlSet\\Control\\Session Manager", false},
    {"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment", false},
    {"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\DOS Devices", true},
    {"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Executive", true},
    {"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\I/O System", true},
    {"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\kernel", true},
    {"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\KnownDLLs", true},
    {"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management", true},
    {"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Power", true},
    {"SYSTEM\\CurrentControlSet\\Control\\Session Manager\\SubSystems", true},
    // The hardware profiles; HKEY_CURRENT_CONFIG is the current one.
    {"SYSTEM\\CurrentControlSet\\Hardware Profiles", false},
    {"SYSTEM\\CurrentControlSet\\Hardware Profiles\\Current", false},
    {"SYSTEM\\CurrentControlSet\\Hardware Profiles\\Current\\Software", false},
    {"SYSTEM\\CurrentControlSet\\Hardware Profiles\\Current\\System", false},
    // Which control set starts and the drive letters, whole: their values
    // are all they hold.
    {"SYSTEM\\Select", true},
    {"SYSTEM\\MountedDevices", true},
    // The account and security databases and the boot configuration: every
    // subkey is an account, a secret or a boot entry.
    {"SAM", true},
    {"SECURITY", true},
    {"BCD00000000", true},
};

// The same for a user (HKEY_CURRENT_USER, each hive under HKEY_USERS): the
// user's settings of every program.
const ListedKey kUserKeys[] = {
    {"Software", false},
    {"Software\\Microsoft", false},
    {"Software\\Microsoft\\Windows", false},
    {"Software\\Microsoft\\Windows\\CurrentVersion", false},
    {"Software\\Microsoft\\Windows\\CurrentVersion\\Run", false},
    {"Software\\Microsoft\\Windows\\CurrentVersion\\Run-", false},
    {"Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce", false},
    {"Software\\Microsoft\\Windows\\CurrentVersion\\RunOnceEx", false},
    {"Software\\Microsoft\\Windows\\CurrentVersion\\RunServices", false},
    {"Software\\Microsoft\\Windows\\CurrentVersion\\RunServicesOnce", false},
    {"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer\\Run", false},
};

// The classes by which every program starts (executables, command and batch
// files, screen savers, shortcuts), protected whole in the machine's classes
// and in each user's: a lost "exefile\shell\open\command" and no program
// starts any more, not even regedit to mend it.
const char* const kStartingClasses[] = {
    "exefile", "comfile", "batfile", "cmdfile", "piffile", "scrfile", "lnkfile",
    ".exe",    ".com",    ".bat",    ".cmd",    ".pif",    ".scr",    ".lnk",
};

const char kWinlogonKey[] = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon";
// The log-on shell and user initialisation: without them no user can log on.
const char* const kWinlogonValues[] = {"Shell", "Userinit"};

// The key's components: stray, doubled, leading and trailing backslashes name
// the same key.
std::vector<std::string> KeyComponents(const char* path) { return Components(path ? path : ""); }

// A name of a prefix and a number of digits ("ControlSet001", "0001"), the
// number not all zeros.
bool IsNumbered(const std::string& name, const char* prefix, size_t digits) {
    const size_t n = strlen(prefix);
    if (name.size() != n + digits || !EqualsNoCaseN(name.c_str(), prefix, n)) return false;
    bool zeros = true;
    for (size_t i = n; i < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9') return false;
        zeros = zeros && name[i] == '0';
    }
    return !zeros;
}

// 64-bit Windows keeps the 32-bit programs' twins of the keys under
// "Software" in "Software\Wow6432Node" (and of "Software\Classes" in
// "Software\Classes\Wow6432Node"): the twin is taken for the key it mirrors.
// software is the index of the "Software" component.
constexpr char kViewNode[] = "Wow6432Node";
void DropViewNode(std::vector<std::string>& parts, size_t software) {
    if (parts.size() <= software + 1 || !EqualsNoCase(parts[software].c_str(), "Software")) return;
    if (EqualsNoCase(parts[software + 1].c_str(), kViewNode)) {
        parts.erase(parts.begin() + software + 1);
    } else if (parts.size() > software + 2 && EqualsNoCase(parts[software + 1].c_str(), "Classes") &&
               EqualsNoCase(parts[software + 2].c_str(), kViewNode)) {
        parts.erase(parts.begin() + software + 2);
    }
}

// The machine's keys as the list names them: the numbered control sets
// ("ControlSet001" to "ControlSet999", one of which CurrentControlSet
// is) and hardware profiles ("0001", ...) as the current one.
void MachineSpelling(std::vector<std::string>& parts) {
    DropViewNode(parts, 0);
    if (parts.size() < 2 || !EqualsNoCase(parts[0].c_str(), "SYSTEM")) return;
    if (IsNumbered(parts[1], "ControlSet", 3)) parts[1] = "CurrentControlSet";
    if (parts.size() >= 4 && EqualsNoCase(parts[1].c_str(), "CurrentControlSet") &&
        EqualsNoCase(parts[2].c_str(), "Hardware Profiles") && IsNumbered(parts[3], "", 4))
        parts[3] = "Current";
}

// One listed key and what it says of the key of parts: 2 when parts lies
// within a key protected whole (or is it), 1 when parts is the listed key or
// contains it, 0 when neither.
int Judge(const std::vector<std::string>& parts, const std::string& listedPath, bool whole) {
    const std::vector<std::string> listed = KeyComponents(listedPath.c_str());
    const size_t common = parts.size() < listed.size() ? parts.size() : listed.size();
    for (size_t i = 0; i < common; ++i)
        if (!EqualsNoCase(parts[i].c_str(), listed[i].c_str())) return 0;
    if (whole && parts.size() >= listed.size()) return 2;
    return parts.size() <= listed.size() ? 1 : 0;
}

// The strongest verdict of the list, and of the starting classes below classes.
template <size_t N>
int JudgeAll(const std::vector<std::string>& parts, const ListedKey (&listed)[N], const char* classes) {
    int verdict = 0;
    for (const ListedKey& key : listed) verdict = std::max(verdict, Judge(parts, key.path, key.whole));
    for (const char* name : kStartingClasses) verdict = std::max(verdict, Judge(parts, std::string(classes) + name, true));
    return verdict;
}

// The verdict on root\subkey (see Judge); the root itself and each hive of
// HKEY_USERS count as protected (1).
int JudgeKey(HKEY root, const char* subkey) {
    std::vector<std::string> parts = KeyComponents(subkey);
    if (parts.empty()) return 1;  // the root itself
    if (root == HKEY_LOCAL_MACHINE) {
        MachineSpelling(parts);
        return JudgeAll(parts, kMachineKeys, "SOFTWARE\\Classes\\");
    }
    if (root == HKEY_CURRENT_CONFIG) {
        parts.insert(parts.begin(), {"SYSTEM", "CurrentControlSet", "Hardware Profiles", "Current"});
        return JudgeAll(parts, kMachineKeys, "SOFTWARE\\Classes\\");
    }
    if (root == HKEY_CLASSES_ROOT) {
        // The machine's classes merged with the user's: protected in either.
        std::vector<std::string> machine = parts, user = parts;
        machine.insert(machine.begin(), {"SOFTWARE", "Classes"});
        user.insert(user.begin(), {"Software", "Classes"});
        DropViewNode(machine, 0);
        DropViewNode(user, 0);
        return std::max(JudgeAll(machine, kMachineKeys, "SOFTWARE\\Classes\\"),
                        JudgeAll(user, kUserKeys, "Software\\Classes\\"));
    }
    if (root == HKEY_USERS) {
        // Every hive (".DEFAULT", each user's and each user's classes hive
        // "<sid>_Classes", which is that user's "Software\Classes") whole,
        // and in it the same keys as in the current user's.
        if (parts.size() == 1) return 1;
        static const char kClassesHive[] = "_Classes";
        const size_t n = sizeof kClassesHive - 1;
        if (parts[0].size() > n && EqualsNoCase(parts[0].c_str() + parts[0].size() - n, kClassesHive))
            parts.insert(parts.begin() + 1, {"Software", "Classes"});
        parts.erase(parts.begin());
    }
    if (root == HKEY_USERS || root == HKEY_CURRENT_USER) {
        DropViewNode(parts, 0);
        return JudgeAll(parts, kUserKeys, "Software\\Classes\\");
    }
    return 0;
}

// By its spellings: a drive root, or a protected folder or one that contains one.
bool IsProtectedSpelling(const char* path, const std::vector<std::string>& folders) {
    for (const std::string& spelling : Spellings(path)) {
        if (IsDriveRoot(spelling)) return true;
        for (const std::string& folder : folders)
            if (ContainsOrIs(spelling, folder)) return true;
    }
    return false;
}

}  // namespace

bool IsProtectedFolder(const char* path) {
    if (!path || !path[0]) return true;
    const std::vector<std::string> folders = ProtectedFolders();
    return IsProtectedSpelling(path, folders) || IsProtectedIdentity(IdentityOf(path), folders);
}

bool IsProtectedFolder(const OpenFolder& folder) {
    if (!folder.ok()) return true;
    const std::vector<std::string> folders = ProtectedFolders();
    return IsProtectedSpelling(folder.path().c_str(), folders) || IsProtectedIdentity(folder.identity(), folders);
}

bool IsProtectedFolder(const HeldItem& item) {
    if (item.reach() != Reach::kHeld || item.IsLink()) return IsProtectedFolder(item.path().c_str());
    const std::vector<std::string> folders = ProtectedFolders();
    return IsProtectedSpelling(item.path().c_str(), folders) || IsProtectedIdentity(item.identity(), folders);
}

bool IsProtectedFile(const char* path) {
    if (!path || !path[0]) return true;
    for (const std::string& spelling : Spellings(path))
        if (IsSystemFileSpelling(spelling) || GuardedBySystem(spelling)) return true;
    return false;
}

bool IsProtectedFile(const HeldItem& item) {
    if (IsProtectedFile(item.path().c_str())) return true;
    if (item.reach() != Reach::kHeld) return false;
    return IsSystemFileAt(ParentOf(Canonical(item.path())), item.folderIdentity(), item.name());
}

bool IsDeviceOrNetworkPath(const char* path) {
    if (!path) return false;
    const std::string text = WithBackslashes(path);
    if (text.compare(0, 2, "\\\\") != 0) return false;  // a drive path, or relative to the current one
    // "\\?\C:\..." is the long spelling of a drive path; everything else
    // that starts so is a share or a device ("\\.\C:", "\\?\GLOBALROOT", volumes).
    return !(text.compare(2, 2, "?\\") == 0 && text.size() >= 6 && ((text[4] | 0x20) >= 'a' && (text[4] | 0x20) <= 'z') && text[5] == ':');
}

bool IsProtectedKey(HKEY root, const char* subkey) { return JudgeKey(root, subkey) > 0; }

bool IsProtectedValue(HKEY root, const char* subkey, const char* name) {
    if (!name) return false;
    if (JudgeKey(root, subkey) == 2) return true;  // in a key protected whole
    if (root != HKEY_LOCAL_MACHINE) return false;
    std::vector<std::string> parts = KeyComponents(subkey), winlogon = KeyComponents(kWinlogonKey);
    DropViewNode(parts, 0);
    if (parts.size() != winlogon.size()) return false;
    for (size_t i = 0; i < parts.size(); ++i)
        if (!EqualsNoCase(parts[i].c_str(), winlogon[i].c_str())) return false;
    for (const char* value : kWinlogonValues)
        if (EqualsNoCase(name, value)) return true;
    return false;
}

bool IsProtectedKey(const HeldKey& key) {
    HKEY root = nullptr;
    std::string subkey;
    if (key.RealPlace(&root, &subkey)) return IsProtectedKey(root, subkey.c_str());
    return IsProtectedKey(key.root(), key.subkey().c_str());
}

bool IsProtectedValue(const HeldKey& key, const char* name) {
    HKEY root = nullptr;
    std::string subkey;
    if (key.RealPlace(&root, &subkey)) return IsProtectedValue(root, subkey.c_str(), name);
    return IsProtectedValue(key.root(), key.subkey().c_str(), name);
}

}  // namespace base
