#include "base/wow64.h"

#include <string.h>

namespace base {

namespace {

template <typename Fn>
Fn Lookup(const char* module, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA(module), name)));
}

bool AskIsWow64() {
    using IsWow64Fn = BOOL(WINAPI*)(HANDLE, PBOOL);
    const auto isWow64 = Lookup<IsWow64Fn>("kernel32.dll", "IsWow64Process");
    BOOL wow64 = FALSE;
    return isWow64 && isWow64(GetCurrentProcess(), &wow64) && wow64;
}

// The key's full name in the registry ("\REGISTRY\MACHINE\..."); empty when
// it cannot be read.
std::wstring KernelName(HKEY key) {
    using NtQueryKeyFn = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);
    static const auto query = Lookup<NtQueryKeyFn>("ntdll.dll", "NtQueryKey");
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

bool RunsUnderWow64() {
    static const bool wow64 = AskIsWow64();
    return wow64;
}

REGSAM Registry64View() { return RunsUnderWow64() ? KEY_WOW64_64KEY : 0; }

LONG DeleteKeyInView(HKEY root, const char* subkey, REGSAM viewFlag) {
    using DeleteKeyExFn = LONG(WINAPI*)(HKEY, LPCSTR, REGSAM, DWORD);
    static const auto deleteKeyEx = Lookup<DeleteKeyExFn>("advapi32.dll", "RegDeleteKeyExA");
    if (viewFlag && deleteKeyEx) return deleteKeyEx(root, subkey, viewFlag, 0);
    return RegDeleteKeyA(root, subkey);
}

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
