#include "base/platform.h"

#include "base/nt_file.h"
#include "base/system_function.h"

namespace base {

bool HasNtCalls() {
    static const bool available = nt::Available();
    return available;
}

bool Reports9xFamily() {
    static const bool reported = [] {
        OSVERSIONINFOA info = {};
        info.dwOSVersionInfoSize = sizeof info;
        return GetVersionExA(&info) && info.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
    }();
    return reported;
}

bool RunsUnderWow64() {
    static const bool wow64 = [] {
        using IsWow64Fn = BOOL(WINAPI*)(HANDLE, PBOOL);
        const auto isWow64 = SystemFunction<IsWow64Fn>("kernel32.dll", "IsWow64Process");
        BOOL under = FALSE;
        return isWow64 && isWow64(GetCurrentProcess(), &under) && under;
    }();
    return wow64;
}

}  // namespace base
