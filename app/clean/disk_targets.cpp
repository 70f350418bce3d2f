#include "app/clean/disk_targets.h"

#include <shlobj.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "app/clean/clean_texts.h"
#include "base/file_size.h"
#include "base/path_text.h"
#include "base/unique_handle.h"
#include "nkshellapi/ShellExt.h"

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

// The folder of pattern, opened and judged (base/user_folders.h); an empty
// pattern (it did not fit) or one past kPathSize counts as absent.
TargetFolder Judged(const std::string& pattern, const base::UserFolderBounds& bounds) {
    TargetFolder folder(pattern, base::FileIdentity());
    folder.refusal = base::UserFolderRefusal::kAbsent;
    if (pattern.size() <= strlen("*.*") || pattern.size() >= kPathSize) return folder;
    const std::string path = pattern.substr(0, pattern.size() - strlen("*.*"));
    folder.held = base::OpenUserFolder(path.c_str(), bounds, &folder.refusal);
    folder.identity = folder.held.identity();
    return folder;
}

// Adds folder unless it did not fit or is in the list already.
void AddOnce(std::vector<TargetFolder>& folders, TargetFolder folder) {
    if (folder.pattern.empty() || folder.pattern.size() >= kPathSize) return;
    for (const TargetFolder& known : folders)
        if (base::SameIdentity(known.identity, folder.identity) || SameSearchFolder(known.pattern, folder.pattern))
            return;
    folders.push_back(std::move(folder));
}

// Adds a folder of a fixed name when it is absent (it lists nothing) or, by
// identity, one of the system's own for the target (own) that passed: a
// folder of that name someone else made, or one refused, is left out.
void AddFixed(std::vector<TargetFolder>& folders, const std::string& pattern, const base::UserFolderBounds& bounds,
              const std::vector<base::FileIdentity>& own) {
    TargetFolder folder = Judged(pattern, bounds);
    if (folder.refusal != base::UserFolderRefusal::kNone && folder.refusal != base::UserFolderRefusal::kAbsent) return;
    if (folder.identity.Known()) {
        bool isOwn = false;
        for (const base::FileIdentity& system : own) isOwn = isOwn || base::SameIdentity(system, folder.identity);
        if (!isOwn) return;
    }
    AddOnce(folders, std::move(folder));
}

// Adds the identity of a folder the system names for the target when it passed.
void AddOwn(std::vector<base::FileIdentity>& own, const TargetFolder& folder) {
    if (folder.held.ok()) own.push_back(folder.identity);
}

std::string WithSeparator(std::string folder) {
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    return folder;
}

bool IsDotName(const char* name) { return name[0] == '.'; }

using FileVisitor = std::function<bool(const base::OpenFolder& folder, const base::FolderEntry& file,
                                       const std::string& path)>;

// path: the folder's spelling as the pattern gave it, ending in a backslash.
bool Walk(const base::OpenFolder& folder, const std::string& path, const FileVisitor& onFile) {
    std::vector<base::FolderEntry> entries;
    if (!folder.List(&entries)) return true;
    for (const base::FolderEntry& entry : entries) {
        const std::string full = path + entry.name;
        if (entry.IsFolder()) {
            // A link leads outside the folder: never entered.
            if (IsDotName(entry.name.c_str()) || entry.IsLink() || full.size() + strlen("\\*.*") >= kPathSize)
                continue;
            const base::OpenFolder sub = folder.Sub(entry);
            if (sub.ok() && !Walk(sub, full + "\\", onFile)) return false;
        } else if (full.size() < kPathSize) {
            if (!onFile(folder, entry, full)) return false;
        }
    }
    return true;
}

bool WalkTarget(const TargetFolder& target, const FileVisitor& onFile) {
    const size_t n = target.pattern.size();
    if (n < strlen("*.*") || n >= kPathSize) return true;
    if (!target.held.ok() && target.refusal != base::UserFolderRefusal::kNone) return true;
    const std::string path = target.pattern.substr(0, n - strlen("*.*"));
    const base::OpenFolder root =
        target.held.ok() ? target.held.Duplicate()
                         : base::OpenFolder::Root(path.c_str(), false, target.pinned ? &target.identity : nullptr);
    return !root.ok() || Walk(root, path, onFile);
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

std::vector<TargetFolder> TargetFolders(DiskTarget target, const SystemFolders& system) {
    // Where the user's own folders may lie: read from the system itself,
    // never from what the user may set.
    const base::UserFolderBounds bounds = base::ReadUserFolderBounds();
    std::vector<TargetFolder> folders;
    std::vector<base::FileIdentity> own;  // the folders the system names for the target that passed
    switch (target) {
    case DiskTarget::Cookies: {
        TargetFolder shell = Judged(
            system.shellCookies.empty() ? "" : Compose(kTempPathFormat, WithSeparator(system.shellCookies).c_str()),
            bounds);
        AddOwn(own, shell);
        if (!system.userName.empty())
            AddFixed(folders, Compose(kProfileCookiesFormat, system.userName.c_str()), bounds, own);
        if (!system.systemDir.empty())
            AddFixed(folders, system.systemDir.substr(0, 10) + kSystemCookiesSuffix, bounds, own);
        AddOnce(folders, std::move(shell));
        break;
    }
    case DiskTarget::TempFiles: {
        TargetFolder temp =
            Judged(system.tempPath.empty() ? "" : Compose(kTempPathFormat, system.tempPath.c_str()), bounds);
        AddOwn(own, temp);
        if (!bounds.profile.empty())
            AddOwn(own, Judged(WithSeparator(bounds.profile) + kProfileTempFolder + "\\*.*", bounds));
        AddOnce(folders, std::move(temp));
        if (!system.userName.empty())
            AddFixed(folders, Compose(kProfileTempFormat, system.userName.c_str()), bounds, own);
        break;
    }
    case DiskTarget::WindowsTemp: {
        TargetFolder windows =
            Judged(system.windowsDir.empty() ? "" : Compose(kWindowsTempFormat, system.windowsDir.c_str()), bounds);
        AddOwn(own, windows);
        AddOwn(own, Judged(system.tempPath.empty() ? "" : Compose(kTempPathFormat, system.tempPath.c_str()), bounds));
        AddOnce(folders, std::move(windows));
        AddFixed(folders, kWindowsTempFixed, bounds, own);
        AddFixed(folders, kWinntTempFixed, bounds, own);
        break;
    }
    }
    return folders;
}

std::vector<std::string> TargetPatterns(DiskTarget target, const SystemFolders& system) {
    std::vector<std::string> patterns;
    for (const TargetFolder& folder : TargetFolders(target, system))
        if (!RefusalText(folder.refusal)) patterns.push_back(folder.pattern);
    return patterns;
}

const char* RefusalText(base::UserFolderRefusal refusal) {
    switch (refusal) {
    case base::UserFolderRefusal::kLink: return kRefusedLink;
    case base::UserFolderRefusal::kProtected: return kRefusedProtected;
    case base::UserFolderRefusal::kOutside: return kRefusedOutside;
    default: return nullptr;
    }
}

bool WalkFiles(const TargetFolder& folder, const std::function<bool(const char*, const char*)>& onFile) {
    return WalkTarget(folder, [&onFile](const base::OpenFolder&, const base::FolderEntry& file,
                                        const std::string& path) { return onFile(path.c_str(), file.name.c_str()); });
}

bool ListFiles(const TargetFolder& folder,
               const std::function<bool(const char*, const char*, const base::ListedItem&)>& onFile) {
    return WalkTarget(folder, [&onFile](const base::OpenFolder& parent, const base::FolderEntry& file,
                                        const std::string& path) {
        return onFile(path.c_str(), file.name.c_str(), parent.Record(file));
    });
}

void DeleteAllFiles(const TargetFolder& folder, int& failures) {
    WalkTarget(folder, [&failures](const base::OpenFolder& parent, const base::FolderEntry& file, const std::string&) {
        if (!parent.DeleteEntry(file, base::Attributes::kAsTheyAre)) ++failures;
        return true;
    });
}

bool ListedFiles::Run::Delete(const std::string& path) {
    const auto found = files_.items_.find(path);
    if (found == files_.items_.end()) return false;
    base::HeldItem file = folders_.Hold(found->second);
    return file.reach() == base::Reach::kHeld && !file.IsFolder() && file.Delete(base::Attributes::kAsTheyAre);
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
    const std::string shown = std::string(path, base::FittingLength(path, strlen(path), 13)) + "...." + name;
    char text[kPathSize + 32];
    _snprintf(text, sizeof text, kListingStatusFormat, shown.c_str());
    text[sizeof text - 1] = 0;
    return text;
}

bool IsIndexDatPath(const char* path) {
    const size_t n = strlen(path), m = strlen(kIndexDat);
    return n >= m && strcmp(path + n - m, kIndexDat) == 0;
}

int DeleteWholeTarget(DiskTarget target, int* refused) {
    int failures = 0;
    if (refused) *refused = 0;
    for (const TargetFolder& folder : TargetFolders(target, ReadSystemFolders())) {
        if (RefusalText(folder.refusal) && refused) ++*refused;
        DeleteAllFiles(folder, failures);  // a refused folder lists nothing
    }
    return failures;
}

int RecycleBinItemCount() {
    CShellExt shell;
    return shell.GetRecycleBinItems()->GetCount();
}

void EmptyRecycleBins() { SHEmptyRecycleBinA(nullptr, nullptr, SHERB_NOCONFIRMATION | SHERB_NOPROGRESSUI | SHERB_NOSOUND); }

}  // namespace clean
