#include "updater/main_program.h"

#include <shellapi.h>
#include <tlhelp32.h>

#include "base/path_text.h"
#include "base/platform.h"
#include "base/unique_handle.h"

namespace freshen {

namespace {
const char kMainProgram[] = "Purvex.exe";
}

bool EnableDebugPrivilege() {
    base::UniqueHandleKernel token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, token.put())) return false;
    TOKEN_PRIVILEGES privileges = {};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (!LookupPrivilegeValueA(nullptr, "SeDebugPrivilege", &privileges.Privileges[0].Luid)) return false;
    if (!AdjustTokenPrivileges(token.get(), FALSE, &privileges, sizeof privileges, nullptr, nullptr)) return false;
    return GetLastError() == ERROR_SUCCESS;  // ERROR_NOT_ALL_ASSIGNED when the token lacks it
}

std::string MainProgramName(bool family9x, const char* currentDir) {
    return family9x ? base::JoinPath(currentDir, kMainProgram) : kMainProgram;
}

bool EndProcessNamed(const std::string& name) {
    if (name.empty()) return false;
    base::UniqueSnapshot snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return false;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot.get(), &entry); more; more = Process32Next(snapshot.get(), &entry)) {
        if (lstrcmpiA(entry.szExeFile, name.c_str()) != 0) continue;
        // Only the first match is ended.
        base::UniqueHandleKernel process(OpenProcess(PROCESS_ALL_ACCESS, FALSE, entry.th32ProcessID));
        if (!process) return false;
        DWORD code = 0;
        GetExitCodeProcess(process.get(), &code);  // STILL_ACTIVE for a running process
        if (!TerminateProcess(process.get(), code)) return false;
        WaitForSingleObject(process.get(), INFINITE);
        return true;
    }
    return false;
}

bool EndMainProgram() {
    char folder[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, folder);
    return EndProcessNamed(MainProgramName(base::Reports9xFamily(), folder));
}

void RestartMainProgram(HWND owner) { ShellExecuteA(owner, "open", kMainProgram, nullptr, nullptr, SW_SHOW); }

}  // namespace freshen
