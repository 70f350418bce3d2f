#include "reportview/report_logs.h"

#include <windows.h>

#include "base/folder_tree.h"
#include "base/unique_handle.h"

namespace reports {

namespace {

constexpr char kLineBreak[] = "\r\n";

// The text up to the next line break, moving at past it; the rest when
// there is none (at then ends the text).
std::string TakeLine(const std::string& text, size_t* at) {
    if (*at >= text.size()) return std::string();
    const size_t end = text.find(kLineBreak, *at);
    if (end == std::string::npos) {
        std::string rest = text.substr(*at);
        *at = text.size();
        return rest;
    }
    std::string line = text.substr(*at, end - *at);
    *at = end + 2;
    return line;
}

bool IsAbsent(const std::string& path) {
    if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return false;
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

}  // namespace

HeadColumns SplitHead(const std::string& text) {
    HeadColumns columns;
    size_t at = 0;
    columns.date = TakeLine(text, &at);
    columns.kind = TakeLine(text, &at);
    columns.title = TakeLine(text, &at);
    if (at < text.size()) columns.status = text.substr(at);
    return columns;
}

bool ReadTextStart(const std::string& path, size_t limit, std::string* text) {
    text->clear();
    base::UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    std::string bytes(limit, '\0');
    DWORD read = 0;
    if (!ReadFile(file.get(), &bytes[0], static_cast<DWORD>(limit), &read, nullptr)) read = 0;
    bytes.resize(read);
    *text = bytes.substr(0, bytes.find('\0'));
    return true;
}

std::vector<std::string> FindSubfolders(const std::string& pattern) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry;
    base::UniqueFind find(FindFirstFileA(pattern.c_str(), &entry));
    for (bool more = static_cast<bool>(find); more; more = FindNextFileA(find.get(), &entry) != FALSE) {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
        const std::string name = entry.cFileName;
        if (name == "." || name == "..") continue;
        names.push_back(name);
    }
    return names;
}

bool SaveTextFile(const std::string& path, const std::string& bytes) {
    base::UniqueFile file(
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD written = 0;
    bool whole = bytes.empty() ||
                 (WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                  written == bytes.size());
    whole = CloseHandle(file.release()) && whole;
    if (!whole) DeleteFileA(path.c_str());
    return whole;
}

bool RemoveLogFolder(const std::string& path) {
    if (IsAbsent(path)) return true;
    base::RemoveFolderTree(path.c_str());
    return IsAbsent(path);
}

}  // namespace reports
