#include "app/clean/disk_targets.h"

#include <shlobj.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "app/clean/clean_texts.h"
#include "base/file_size.h"
#include "base/protected_locations.h"
#include "base/unique_handle.h"

namespace clean {

namespace {

// printf into a kPathSize buffer; "" when the result would not fit.
std::string Compose(const char* format, const char* text) {
    char out[kPathSize];
    const int n = _snprintf(out, sizeof out, format, text);
    if (n < 0 || static_cast<size_t>(n) >= sizeof out) return std::string();
    return std::string(out, n);
}

// The folder a pattern searches, as the system's long name when it exists,
// without a trailing backslash: two patterns search the same folder when
// their keys are equal without regard to case.
std::string FolderKey(const std::string& pattern) {
    std::string folder = pattern.substr(0, pattern.size() - strlen("*.*"));
    while (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
    char longName[kPathSize];
    const DWORD n = GetLongPathNameA(folder.c_str(), longName, sizeof longName);
    if (n > 0 && n < sizeof longName) folder = longName;
    while (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
    return folder;
}

// Adds pattern unless it is empty (it did not fit), too long, searches a
// folder already in the list, or would empty a folder the system cannot do
// without: a temporary path set to a drive root or the Windows folder must not
// make the walk, which goes into every subfolder, empty the whole drive.
void AddOnce(std::vector<std::string>& patterns, const std::string& pattern) {
    if (pattern.empty() || pattern.size() >= kPathSize) return;
    if (base::IsProtectedFolder(FolderKey(pattern).c_str())) return;
    for (const std::string& known : patterns)
        if (SameSearchFolder(known, pattern)) return;
    patterns.push_back(pattern);
}

std::string WithSeparator(std::string folder) {
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    return folder;
}

bool IsDotName(const char* name) { return name[0] == '.'; }

bool Walk(const char* pattern, const std::function<bool(const char*, const char*)>& onFile) {
    char drive[_MAX_DRIVE], dir[_MAX_DIR];
    _splitpath(pattern, drive, dir, nullptr, nullptr);
    WIN32_FIND_DATAA entry = {};
    base::UniqueFind find(FindFirstFileA(pattern, &entry));
    if (!find) return true;
    do {
        if (entry.cFileName[0] == 0) break;
        char path[kPathSize];
        const bool isFolder = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (isFolder) {
            // A link leads outside the folder: never entered.
            if (IsDotName(entry.cFileName) || (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) continue;
            const int n = _snprintf(path, sizeof path, "%s%s%s\\*.*", drive, dir, entry.cFileName);
            if (n < 0 || static_cast<size_t>(n) >= sizeof path) continue;
            if (!Walk(path, onFile)) return false;
        } else {
            const int n = _snprintf(path, sizeof path, "%s%s%s", drive, dir, entry.cFileName);
            if (n < 0 || static_cast<size_t>(n) >= sizeof path) continue;
            if (!onFile(path, entry.cFileName)) return false;
        }
    } while (FindNextFileA(find.get(), &entry));
    return true;
}

}  // namespace

SystemFolders ReadSystemFolders() {
    SystemFolders system;
    char text[kPathSize] = {};
    DWORD size = 256;  // the log-on name's buffer
    if (GetUserNameA(text, &size)) system.userName = text;
    DWORD n = GetTempPathA(sizeof text, text);
    if (n > 0 && n < sizeof text) system.tempPath = text;
    UINT m = GetWindowsDirectoryA(text, sizeof text);
    if (m > 0 && m < sizeof text) system.windowsDir = text;
    m = GetSystemDirectoryA(text, sizeof text);
    if (m > 0 && m < sizeof text) system.systemDir = text;
    if (SHGetSpecialFolderPathA(nullptr, text, CSIDL_COOKIES, FALSE)) system.shellCookies = text;
    return system;
}

bool SameSearchFolder(const std::string& a, const std::string& b) {
    return lstrcmpiA(FolderKey(a).c_str(), FolderKey(b).c_str()) == 0;
}

std::vector<std::string> TargetPatterns(DiskTarget target, const SystemFolders& system) {
    std::vector<std::string> patterns;
    switch (target) {
    case DiskTarget::Cookies:
        if (!system.userName.empty()) AddOnce(patterns, Compose(kProfileCookiesFormat, system.userName.c_str()));
        if (!system.systemDir.empty())
            AddOnce(patterns, system.systemDir.substr(0, 10) + kSystemCookiesSuffix);
        if (!system.shellCookies.empty())
            AddOnce(patterns, Compose(kTempPathFormat, WithSeparator(system.shellCookies).c_str()));
        break;
    case DiskTarget::TempFiles:
        if (!system.tempPath.empty()) AddOnce(patterns, Compose(kTempPathFormat, system.tempPath.c_str()));
        if (!system.userName.empty()) AddOnce(patterns, Compose(kProfileTempFormat, system.userName.c_str()));
        break;
    case DiskTarget::WindowsTemp:
        if (!system.windowsDir.empty()) AddOnce(patterns, Compose(kWindowsTempFormat, system.windowsDir.c_str()));
        AddOnce(patterns, kWindowsTempFixed);
        AddOnce(patterns, kWinntTempFixed);
        break;
    }
    return patterns;
}

bool WalkFiles(const std::string& pattern, const std::function<bool(const char*, const char*)>& onFile) {
    if (pattern.empty() || pattern.size() >= kPathSize) return true;
    return Walk(pattern.c_str(), onFile);
}

void DeleteAllFiles(const std::string& pattern, int& failures) {
    WalkFiles(pattern, [&failures](const char* path, const char*) {
        if (!DeleteFileA(path)) ++failures;
        return true;
    });
}

uint64_t FileLength(const char* path) {
    base::UniqueFile file(CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    uint64_t size = 0;
    if (!file || !base::GetFileLength(file.get(), &size)) return 0;
    return size;
}

std::string SizeText(uint64_t bytes) {
    char text[64];
    _snprintf(text, sizeof text, kSizeFormat, static_cast<double>(bytes) * 0.001);
    text[sizeof text - 1] = 0;
    return text;
}

std::string ListingStatus(const char* path, const char* name) {
    size_t cut = 0;
    while (path[cut] && cut < 13) {
        const size_t step = IsDBCSLeadByte(static_cast<BYTE>(path[cut])) && path[cut + 1] ? 2 : 1;
        if (cut + step > 13) break;
        cut += step;
    }
    const std::string shown = std::string(path, cut) + "...." + name;
    char text[kPathSize + 32];
    _snprintf(text, sizeof text, kListingStatusFormat, shown.c_str());
    text[sizeof text - 1] = 0;
    return text;
}

bool IsIndexDatPath(const char* path) {
    const size_t n = strlen(path), m = strlen(kIndexDat);
    return n >= m && strcmp(path + n - m, kIndexDat) == 0;
}

void EmptyRecycleBins() { SHEmptyRecycleBinA(nullptr, nullptr, SHERB_NOCONFIRMATION | SHERB_NOPROGRESSUI | SHERB_NOSOUND); }

}  // namespace clean
