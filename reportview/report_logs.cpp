#include "reportview/report_logs.h"

#include <windows.h>

#include "backup/restore.h"
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

std::vector<LogFolder> FindSubfolders(const std::string& pattern) {
    std::vector<LogFolder> folders;
    const size_t wildcard = pattern.rfind("*.*");
    if (wildcard == std::string::npos) return folders;
    const base::OpenFolder root = base::OpenFolder::Root(pattern.substr(0, wildcard).c_str());
    std::vector<base::FolderEntry> entries;
    root.List(&entries);
    for (const base::FolderEntry& entry : entries)
        if (entry.IsFolder()) folders.push_back({entry.name, root.Record(entry)});
    return folders;
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

int RestoreBackup(const std::string& folder) {
    if (folder.empty()) return backup::kNoBackup;
    try {
        return backup::RestoreBackup(folder);
    } catch (...) {  // std::bad_alloc: never out of the dialog's handler
        return backup::kRefusedBackup;
    }
}

bool RemoveLogFolder(const base::ListedItem& folder) {
    base::HeldItem log = base::HoldListed(folder);
    return log.reach() == base::Reach::kGone || (log.IsFolder() && log.RemoveTree(base::Attributes::kNormal));
}

}  // namespace reports
