#include "tests/support/restart_sandbox.h"

#include <windows.h>
#include <aclapi.h>

#include <gtest/gtest.h>

#include "base/unique_handle.h"
#include "tests/support/sandbox.h"

namespace pvtest {

namespace {

constexpr char kSessionManager[] = "SYSTEM\\CurrentControlSet\\Control\\Session Manager";
constexpr wchar_t kPendingValue[] = L"PendingFileRenameOperations";

std::string WindowsFile(const char* name) { return SystemFolder(GetWindowsDirectoryA) + "\\" + name; }

base::UniqueHKey SessionManager() {
    base::UniqueHKey key;
    RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, key.put());
    return key;
}

void PutBackFile(const std::string& path, bool present, const std::string& bytes) {
    DeleteFileA(path.c_str());
    if (present) {
        EXPECT_TRUE(WriteBytes(path, bytes)) << path;
    }
}

}  // namespace

RestartSandbox::RestartSandbox() {
    const base::UniqueHKey key = SessionManager();
    DWORD size = 0, type = 0;
    if (RegQueryValueExW(key.get(), kPendingValue, nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
        pending_.present = true;
        pending_.bytes.resize(size);
        RegQueryValueExW(key.get(), kPendingValue, nullptr, &type, reinterpret_cast<BYTE*>(&pending_.bytes[0]), &size);
        RegDeleteValueW(key.get(), kPendingValue);
    }
    for (auto [saved, name] : {std::pair{&wininit_, "WININIT.INI"}, std::pair{&wininitBak_, "wininit.bak"}}) {
        saved->present = FileExists(WindowsFile(name));
        saved->bytes = ReadBytes(WindowsFile(name));
        DeleteFileA(WindowsFile(name).c_str());
    }
}

RestartSandbox::~RestartSandbox() {
    const base::UniqueHKey key = SessionManager();
    RegDeleteValueW(key.get(), kPendingValue);
    if (pending_.present)
        RegSetValueExW(key.get(), kPendingValue, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(pending_.bytes.data()),
                       static_cast<DWORD>(pending_.bytes.size()));
    PutBackFile(WindowsFile("WININIT.INI"), wininit_.present, wininit_.bytes);
    PutBackFile(WindowsFile("wininit.bak"), wininitBak_.present, wininitBak_.bytes);
}

std::vector<std::string> RestartSandbox::Removals() const {
    std::vector<std::string> names;
    const base::UniqueHKey key = SessionManager();
    char list[64 * 1024] = {};
    DWORD size = sizeof list - 2;
    if (RegQueryValueExA(key.get(), "PendingFileRenameOperations", nullptr, nullptr, reinterpret_cast<BYTE*>(list),
                         &size) != ERROR_SUCCESS)
        return names;
    for (const char* at = list; *at;) {
        const std::string from = at;
        at += from.size() + 1;
        const std::string to = at;
        at += to.size() + 1;
        if (to.empty()) names.push_back(from);
    }
    return names;
}

std::string RestartSandbox::Wininit() const { return ReadBytes(WindowsFile("WININIT.INI")); }

bool RestartSandbox::Restart() const {
    std::string command = SystemFolder(GetSystemDirectoryA) + "\\wineboot.exe -r";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return false;
    CloseHandle(info.hThread);
    const base::UniqueHandleKernel process(info.hProcess);
    DWORD code = 1;
    return WaitForSingleObject(process.get(), 60000) == WAIT_OBJECT_0 && GetExitCodeProcess(process.get(), &code) &&
           code == 0;
}

bool LetEveryoneChange(const std::string& folder) {
    BYTE everyone[SECURITY_MAX_SID_SIZE];
    DWORD size = sizeof everyone;
    if (!CreateWellKnownSid(WinWorldSid, nullptr, everyone, &size)) return false;
    EXPLICIT_ACCESSA access = {};
    access.grfAccessPermissions = GENERIC_ALL;
    access.grfAccessMode = SET_ACCESS;
    access.grfInheritance = SUB_CONTAINERS_AND_OBJECTS_INHERIT;
    access.Trustee.TrusteeForm = TRUSTEE_IS_SID;
    access.Trustee.ptstrName = reinterpret_cast<LPSTR>(everyone);
    PACL acl = nullptr;
    if (SetEntriesInAclA(1, &access, nullptr, &acl) != ERROR_SUCCESS) return false;
    const DWORD set = SetNamedSecurityInfoA(const_cast<char*>(folder.c_str()), SE_FILE_OBJECT,
                                            DACL_SECURITY_INFORMATION, nullptr, nullptr, acl, nullptr);
    LocalFree(acl);
    return set == ERROR_SUCCESS;
}

}  // namespace pvtest
