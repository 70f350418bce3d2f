// The parts of the WOW64 helpers that build names (kept apart so that a
// library needing only the view flags links no string code).
#include "base/wow64.h"

#include "base/path_text.h"
#include "base/registry_links.h"

namespace base {

bool SameKey(HKEY a, HKEY b) {
    const std::wstring first = KernelName(a);
    return !first.empty() && _wcsicmp(first.c_str(), KernelName(b).c_str()) == 0;
}

std::string NativeSystemFolder() {
    if (!RunsUnderWow64()) return std::string();
    char windows[MAX_PATH];
    const UINT n = GetWindowsDirectoryA(windows, MAX_PATH);
    if (n == 0 || n >= MAX_PATH - 12) return std::string();
    const std::string folder = JoinPath(std::string(windows, n), "Sysnative");
    const DWORD attributes = GetFileAttributesA(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) ? folder : std::string();
}

}  // namespace base
