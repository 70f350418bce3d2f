#include "app/cure/restart_windows.h"

#include <windows.h>

#include "base/unique_handle.h"

namespace cure {

namespace {

bool (*replacement)() = nullptr;

// The shutdown privilege of this process's token; the 9x family has no
// tokens and needs none.
void EnableShutdownPrivilege() {
    base::UniqueHandleKernel token;
    TOKEN_PRIVILEGES privileges = {};
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, token.put()) ||
        !LookupPrivilegeValueA(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid))
        return;
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    AdjustTokenPrivileges(token.get(), FALSE, &privileges, sizeof privileges, nullptr, nullptr);
}

}  // namespace

bool RestartWindows() {
    if (replacement) return replacement();
    EnableShutdownPrivilege();
    // The reason (a planned restart for an application's installation) is ignored before XP.
    constexpr DWORD kPlannedForInstallation = 0x00040000 | 0x00000002 | 0x80000000;
    return ExitWindowsEx(EWX_REBOOT, kPlannedForInstallation) != FALSE;
}

void ReplaceRestartForTests(bool (*restart)()) { replacement = restart; }

}  // namespace cure
