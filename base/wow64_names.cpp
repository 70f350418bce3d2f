// The parts of the WOW64 helpers that build names (kept apart so that a
// library needing only the view flags links no string code).
#include "base/wow64.h"

#include <string.h>

#include "base/system_function.h"

namespace base {

namespace {

// The key's full name in the registry ("\REGISTRY\MACHINE\..."); empty when
// it cannot be read.
std::wstring KernelName(HKEY key) {
    using NtQueryKeyFn = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
    static const auto query = SystemFunction<NtQueryKeyFn>("ntdll.dll", "NtQueryKey");
    constexpr int kKeyNameInformation = 3;
    if (!query) return std::wstring();
    // KEY_NAME_INFORMATION: the name's length in bytes, then the name.
    ULONG buffer[1024] = {};
    ULONG size = 0;
    if (query(key, kKeyNameInformation, buffer, sizeof buffer, &size) != 0) return std::wstring();
    const ULONG bytes = buffer[0];
    if (bytes > sizeof buffer - sizeof(ULONG)) return std::wstring();
    return std::wstring(reinterpret_cast<const wchar_t*>(buffer + 1), bytes / sizeof(wchar_t));
}

}  // namespace

bool SameKey(HKEY a, HKEY b) {
    const std::wstring first = KernelName(a);
    return !first.empty() && _wcsicmp(first.c_str(), KernelName(b).c_str()) == 0;
}

std::string NativeSystemFolder() {
    if (!RunsUnderWow64()) return std::string();
    char windows[MAX_PATH];
    const UINT n = GetWindowsDirectoryA(windows, MAX_PATH);
    if (n == 0 || n >= MAX_PATH - 12) return std::string();
    const std::string folder = std::string(windows) + (windows[n - 1] == '\\' ? "" : "\\") + "Sysnative";
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) ? folder : std::string();
}

}  // namespace base
