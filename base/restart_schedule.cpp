#include "base/restart_schedule.h"

#include <windows.h>

#include <vector>

#include "base/ansi_text.h"
#include "base/deletion.h"
#include "base/file_size.h"
#include "base/unique_handle.h"

namespace base {

namespace {

constexpr char kSessionManager[] = "SYSTEM\\CurrentControlSet\\Control\\Session Manager";
constexpr char kPendingValue[] = "PendingFileRenameOperations";
constexpr DWORD kLongestList = 1024 * 1024;
constexpr char kRenameSection[] = "[rename]";
constexpr char kDeleteKey[] = "NUL=";

std::string WininitPath() {
    char windows[MAX_PATH];
    const UINT n = GetWindowsDirectoryA(windows, MAX_PATH);
    return n > 0 && n < MAX_PATH ? std::string(windows, n) + "\\WININIT.INI" : std::string();
}

// The whole file when it holds at most kLongestList bytes; *exists tells
// whether there is one.
bool ReadSmallFile(const std::string& path, std::string* text, bool* exists) {
    text->clear();
    UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    *exists = static_cast<bool>(file) || GetLastError() != ERROR_FILE_NOT_FOUND;
    if (!file) return !*exists;
    uint64_t size = 0;
    if (!GetFileLength(file.get(), &size) || size > kLongestList) return false;
    text->resize(static_cast<size_t>(size));
    DWORD read = 0;
    return size == 0 || (ReadFile(file.get(), &(*text)[0], static_cast<DWORD>(size), &read, nullptr) && read == size);
}

std::string ShortPath(const std::string& path) {
    char shortPath[MAX_PATH];
    const DWORD n = GetShortPathNameA(path.c_str(), shortPath, MAX_PATH);
    return n > 0 && n < MAX_PATH ? std::string(shortPath, n) : std::string();
}

std::string Trimmed(const std::string& line) {
    const size_t first = line.find_first_not_of(" \t\r\n");
    const size_t last = line.find_last_not_of(" \t\r\n");
    return first == std::string::npos ? std::string() : line.substr(first, last - first + 1);
}

// The lines of WININIT.INI's [rename] section, each with the offset just
// past its end; *sectionEnd is where a new line of the section goes (npos:
// there is no section).
struct IniLine {
    std::string text;
    size_t end;
};
std::vector<IniLine> RenameLines(const std::string& ini, size_t* sectionEnd) {
    std::vector<IniLine> lines;
    *sectionEnd = std::string::npos;
    bool inSection = false;
    for (size_t at = 0; at < ini.size();) {
        size_t end = ini.find('\n', at);
        end = end == std::string::npos ? ini.size() : end + 1;
        const std::string line = Trimmed(ini.substr(at, end - at));
        if (!line.empty() && line[0] == '[') {
            inSection = EqualsNoCase(line.c_str(), kRenameSection);
            if (inSection) *sectionEnd = end;
        } else if (inSection) {
            lines.push_back({line, end});
            if (!line.empty()) *sectionEnd = end;
        }
        at = end;
    }
    return lines;
}

bool ScheduleInWininit(const std::string& path) {
    const std::string ini = WininitPath(), shortPath = ShortPath(path);
    std::string text;
    bool exists = false;
    if (ini.empty() || shortPath.empty() || !ReadSmallFile(ini, &text, &exists)) return false;
    size_t sectionEnd = std::string::npos;
    RenameLines(text, &sectionEnd);
    const std::string line = std::string(kDeleteKey) + shortPath + "\r\n";
    if (sectionEnd == std::string::npos) {
        if (!text.empty() && text.back() != '\n') text += "\r\n";
        text += std::string(kRenameSection) + "\r\n" + line;
    } else {
        if (sectionEnd > 0 && text[sectionEnd - 1] != '\n') text.insert(sectionEnd++, "\r\n");
        text.insert(sectionEnd, line);
    }
    UniqueFile file(CreateFileA(ini.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file && WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
           written == text.size();
}

bool PendingInWininit(const std::string& path) {
    const std::string ini = WininitPath(), shortPath = ShortPath(path);
    std::string text;
    bool exists = false;
    if (ini.empty() || shortPath.empty() || !ReadSmallFile(ini, &text, &exists)) return false;
    size_t sectionEnd = 0;
    for (const IniLine& line : RenameLines(text, &sectionEnd)) {
        if (!StartsWithNoCase(line.text.c_str(), kDeleteKey)) continue;
        const std::string named = Trimmed(line.text.substr(sizeof kDeleteKey - 1));
        if (EqualsNoCase(named.c_str(), shortPath.c_str()) || EqualsNoCase(named.c_str(), path.c_str())) return true;
    }
    return false;
}

bool PendingInSessionManager(const std::string& path) {
    UniqueHKey key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_QUERY_VALUE, key.put()) != ERROR_SUCCESS)
        return false;
    DWORD size = 0, type = 0;
    if (RegQueryValueExA(key.get(), kPendingValue, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_MULTI_SZ || size > kLongestList)
        return false;
    std::vector<char> list(size + 2, '\0');  // ends in two zeros whatever was stored
    if (RegQueryValueExA(key.get(), kPendingValue, nullptr, &type, reinterpret_cast<BYTE*>(list.data()), &size) !=
        ERROR_SUCCESS)
        return false;
    // Pairs of names: what to rename or remove, then where to (empty for a removal).
    for (size_t at = 0; at < list.size() && list[at];) {
        std::string from(&list[at]);
        at += from.size() + 1;
        const std::string to(at < list.size() ? &list[at] : "");
        at += to.size() + 1;
        if (from.compare(0, 4, "\\??\\") == 0) from.erase(0, 4);
        if (to.empty() && EqualsNoCase(from.c_str(), path.c_str())) return true;
    }
    return false;
}

}  // namespace

bool CanScheduleAtRestart() {
    if (!WorksByHandle()) return true;
    UniqueHKey key;
    return RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSessionManager, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, key.put()) ==
           ERROR_SUCCESS;
}

bool ScheduleRemovalAtRestart(const std::string& path) {
    if (path.empty()) return false;
    if (!WorksByHandle()) return ScheduleInWininit(path);
    return MoveFileExA(path.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT) != FALSE;
}

bool IsRemovalPending(const std::string& path) {
    if (path.empty()) return false;
    return WorksByHandle() ? PendingInSessionManager(path) : PendingInWininit(path);
}

}  // namespace base
