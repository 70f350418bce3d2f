#include "backup/backup_folder.h"

#include <windows.h>

#include <vector>

#include "base/ansi_text.h"
#include "base/path_text.h"

namespace backup {

namespace {

bool IsPassNumber(const std::string& name) {
    return name.size() == 8 && name.find_first_not_of("0123456789") == std::string::npos;
}

// Splits off the last component of *path ("C:\a\b" gives "b", leaving
// "C:\a"; "C:\a" gives "a", leaving the drive's root "C:\").
std::string TakeLast(std::string* path) {
    const size_t at = base::LastSeparator(*path);
    if (at == std::string::npos) return std::string();
    std::string last = path->substr(at + 1);
    path->resize(at == 2 && (*path)[1] == ':' ? 3 : at);
    return last;
}

// The names from the installation folder down to the backup folder at the
// full path, and the folder above them in *home; empty when path names no
// backup folder.
std::vector<std::string> WayOf(std::string path, std::string* home) {
    const std::string last = TakeLast(&path), second = TakeLast(&path);
    if (IsPassNumber(last) && base::EqualsNoCase(second.c_str(), kBackupRootName)) {
        *home = path;
        return {kBackupRootName, last};
    }
    const std::string third = TakeLast(&path);
    if (base::EqualsNoCase(last.c_str(), kLogBackupName) && IsPassNumber(second) &&
        base::EqualsNoCase(third.c_str(), kLogRootName)) {
        *home = path;
        return {kLogRootName, second, kLogBackupName};
    }
    return {};
}

std::string FullPathOf(const std::string& path) {
    char full[MAX_PATH * 2];
    const DWORD n = GetFullPathNameA(path.c_str(), sizeof full, full, nullptr);
    if (path.empty() || n == 0 || n >= sizeof full) return std::string();
    std::string out(full, n);
    while (out.size() > 3 && out.back() == '\\') out.pop_back();
    return out;
}

// a and b are the same folder: by identity where the system gives one, else by full path.
bool SameFolder(const base::FileIdentity& a, const std::string& aPath, const base::OpenFolder& b) {
    if (b.identity().Known()) return base::SameIdentity(a, b.identity());
    return base::EqualsNoCase(FullPathOf(aPath).c_str(), b.path().c_str());
}

}  // namespace

base::OpenFolder OpenBackupFolder(const std::string& path, bool make) {
    std::string homePath;
    const std::vector<std::string> way = WayOf(FullPathOf(path), &homePath);
    base::OpenFolder folder = base::OpenFolder::Resolved(".");
    // The folder above the way must be the installation folder itself,
    // checked before anything is made.
    if (way.empty() || homePath.empty() || !SameFolder(base::IdentityOf(homePath.c_str()), homePath, folder))
        return base::OpenFolder();
    const auto how = make ? base::OpenFolder::Reaching::kOpenOrMake : base::OpenFolder::Reaching::kOpen;
    for (const std::string& name : way) folder = folder.Below(name, how);
    const base::OpenFolder named = base::OpenFolder::Root(path.c_str());
    if (!folder.ok() || !named.ok() || !SameFolder(named.identity(), named.path(), folder)) return base::OpenFolder();
    return folder;
}

FileRead ReadOwnFile(const base::OpenFolder& folder, const std::string& name, size_t limit, std::string* text) {
    text->clear();
    base::FolderEntry entry;
    if (!folder.Find(name.c_str(), &entry)) return FileRead::kAbsent;
    const base::UniqueFile file = folder.OpenToRead(entry);
    DWORD high = 0;
    const DWORD low = file ? GetFileSize(file.get(), &high) : INVALID_FILE_SIZE;
    if (!file || high != 0 || low == INVALID_FILE_SIZE || low > limit) return FileRead::kRefused;
    text->resize(low);
    DWORD read = 0;
    if (low > 0 && (!ReadFile(file.get(), &(*text)[0], low, &read, nullptr) || read != low)) {
        text->clear();
        return FileRead::kRefused;
    }
    return FileRead::kRead;
}

bool WriteOwnFile(const base::OpenFolder& folder, const std::string& name, const std::string& text, bool append,
                  const std::string& heading) {
    base::UniqueFile file = folder.MakeFile(name);
    const std::string whole = file ? heading + text : text;
    base::FolderEntry entry;
    if (!file && folder.Find(name.c_str(), &entry)) file = folder.OpenToOverwrite(entry);
    if (!file || SetFilePointer(file.get(), 0, nullptr, append ? FILE_END : FILE_BEGIN) == INVALID_SET_FILE_POINTER)
        return false;
    DWORD written = 0;
    return (whole.empty() || (WriteFile(file.get(), whole.data(), static_cast<DWORD>(whole.size()), &written, nullptr) &&
                              written == whole.size())) &&
           (append || SetEndOfFile(file.get()));
}

}  // namespace backup
