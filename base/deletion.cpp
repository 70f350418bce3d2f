#include "base/deletion.h"

#include <ctype.h>
#include <stdio.h>
#include <string.h>

#include "base/ansi_text.h"
#include "base/file_size.h"
#include "base/nt_file.h"
#include "base/path_text.h"
#include "base/platform.h"
#include "base/system_function.h"

namespace base {

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr ULONG kDirectoryFile = 0x1;      // FILE_DIRECTORY_FILE
constexpr ULONG kNonDirectoryFile = 0x40;  // FILE_NON_DIRECTORY_FILE
constexpr ACCESS_MASK kListAccess = FILE_LIST_DIRECTORY | FILE_TRAVERSE | FILE_READ_ATTRIBUTES | SYNCHRONIZE;
constexpr ACCESS_MASK kRemoveAccess = DELETE | FILE_WRITE_ATTRIBUTES;
constexpr DWORD kFolderOrLink = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT;
// What SetFileAttributes may set.
constexpr DWORD kSettable = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                            FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_OFFLINE |
                            FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

volatile LONG pathCallsForTests = 0;

// By handle wherever ntdll offers the NT calls; by path only where it does
// not (the 9x family). Never by the version the system reports
// (base/platform.h).
bool ByHandle() { return HasNtCalls() && !pathCallsForTests; }

// The full path as the system reads it, without a trailing backslash past
// the root; "" when there is none.
std::string FullPath(const char* path) {
    if (!path || !path[0]) return std::string();
    char full[MAX_PATH * 2];
    const DWORD n = GetFullPathNameA(path, sizeof full, full, nullptr);
    if (n == 0 || n >= sizeof full) return std::string();
    return WithoutTrailingSeparators(std::string(full, n));
}

bool Absent(const std::string& path) {
    if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) return false;
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

std::string ToAnsi(const std::wstring& wide) {
    if (wide.empty()) return std::string();
    const int n = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr,
                                      nullptr);
    std::string out(n > 0 ? n : 0, '\0');
    if (n > 0) WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), &out[0], n, nullptr, nullptr);
    return out;
}

std::wstring ToWide(const std::string& ansi) {
    if (ansi.empty()) return std::wstring();
    const int n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
    std::wstring out(n > 0 ? n : 0, L'\0');
    if (n > 0) MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), &out[0], n);
    return out;
}

template <typename Text>
bool EndsWithAscii(const Text& name, const char* suffix) {
    const size_t n = strlen(suffix);
    if (name.size() <= n) return false;
    for (size_t i = 0; i < n; ++i) {
        const unsigned c = static_cast<unsigned>(name[name.size() - n + i]);
        if (c > 0x7F || tolower(static_cast<int>(c)) != tolower(static_cast<unsigned char>(suffix[i]))) return false;
    }
    return true;
}

// The entry under the name a move gives it.
FolderEntry Renamed(const FolderEntry& entry, const FileNaming& naming) {
    FolderEntry renamed = entry;
    const size_t n = strlen(naming.suffix);
    if (naming.mode == FileNaming::kAddSuffix) {
        renamed.name += naming.suffix;
        renamed.wideName += std::wstring(naming.suffix, naming.suffix + n);
    } else if (naming.mode == FileNaming::kDropSuffix) {
        if (EndsWithAscii(renamed.name, naming.suffix)) renamed.name.resize(renamed.name.size() - n);
        if (EndsWithAscii(renamed.wideName, naming.suffix)) renamed.wideName.resize(renamed.wideName.size() - n);
    }
    return renamed;
}

// "\\?\C:\..." and "\\?\UNC\server\..." as plain paths.
std::string WithoutLongPrefix(const std::string& path) {
    if (path.compare(0, 8, "\\\\?\\UNC\\") == 0) return "\\" + path.substr(7);
    if (path.compare(0, 4, "\\\\?\\") == 0) return path.substr(4);
    return path;
}

FileIdentity IdentityFrom(const BY_HANDLE_FILE_INFORMATION& info) {
    FileIdentity identity;
    identity.volume = info.dwVolumeSerialNumber;
    identity.index = (static_cast<ULONGLONG>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    return identity;
}

// What an entry opened in a folder is. Its volume is the folder's: an entry
// on another volume is a mount point, which shows as a link.
struct Opened {
    FileIdentity identity;
    DWORD attributes = 0;
};

// Whether an opened handle is what the listing's entry says: a link opened
// as itself for a link (Wine opens the target instead), no link for anything
// else, and the same file or folder where the listing gave its identity.
bool Matches(const FolderEntry& entry, HANDLE handle, DWORD volume, Opened* opened) {
    opened->identity.volume = volume;
    if (!nt::QueryIndex(handle, &opened->identity.index, &opened->attributes)) return false;
    if ((opened->attributes & kFolderOrLink) != (entry.attributes & kFolderOrLink)) return false;
    return !entry.identity.Known() || SameIdentity(entry.identity, opened->identity);
}

// The attributes to give an entry before deleting it; 0 for none.
DWORD AttributesBefore(DWORD attributes, Attributes mode) {
    switch (mode) {
    case Attributes::kAsTheyAre: break;
    case Attributes::kClearReadOnly:
        if (attributes & FILE_ATTRIBUTE_READONLY) {
            const DWORD kept = attributes & kSettable & ~FILE_ATTRIBUTE_READONLY;
            return kept ? kept : FILE_ATTRIBUTE_NORMAL;
        }
        break;
    case Attributes::kNormal:
        if (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_SYSTEM)) return FILE_ATTRIBUTE_NORMAL;
        break;
    }
    return 0;
}

// The attributes of a file with more than one name are every name's: such a
// file is only unlinked, as it is, and stays where that is refused (read-only).
bool MarkForDeletion(HANDLE handle, DWORD attributes, Attributes mode) {
    const DWORD before = AttributesBefore(attributes, mode);
    if (before && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        ULONG links = 0;
        if (!nt::LinkCount(handle, &links)) return false;
        if (links > 1) return nt::MarkForDeletion(handle);
    }
    if (before && !nt::SetAttributes(handle, before)) return false;
    return nt::MarkForDeletion(handle);
}

// The 9x family: a file or an empty folder by its path. A reparse point is
// never acted on by path (Wine shows its links in that mode too).
bool DeleteByPath(const std::string& path, const FolderEntry& entry, Attributes mode) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || entry.IsLink() ||
        (attributes & kFolderOrLink) != (entry.attributes & kFolderOrLink))
        return false;
    if (const DWORD before = AttributesBefore(attributes, mode)) SetFileAttributesA(path.c_str(), before);
    return entry.IsFolder() ? RemoveDirectoryA(path.c_str()) != FALSE : DeleteFileA(path.c_str()) != FALSE;
}

bool ListByPath(const std::string& folder, std::vector<FolderEntry>* entries) {
    const std::string pattern = JoinPath(folder, "*.*");
    WIN32_FIND_DATAA found;
    UniqueFind find(FindFirstFileA(pattern.c_str(), &found));
    if (!find) return false;
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        FolderEntry entry;
        entry.name = name;
        entry.shortName = found.cAlternateFileName;
        entry.attributes = found.dwFileAttributes;
        entries->push_back(std::move(entry));
    } while (FindNextFileA(find.get(), &found));
    return true;
}

// Exact keys of held folders: an identity, an entry's stored name and identity.
std::string KeyOf(const FileIdentity& identity) {
    char text[48];
    _snprintf(text, sizeof text, "|%lx:%I64x", identity.volume, identity.index);
    text[sizeof text - 1] = 0;
    return text;
}

std::string KeyOf(const FolderEntry& step) {
    std::string key = "\\" + step.name + "|";
    key.append(reinterpret_cast<const char*>(step.wideName.data()), step.wideName.size() * sizeof(wchar_t));
    return key + KeyOf(step.identity);
}

}  // namespace

void UsePathCallsForTests() { InterlockedExchange(&pathCallsForTests, 1); }

bool WorksByHandle() { return ByHandle(); }

bool SameIdentity(const FileIdentity& a, const FileIdentity& b) {
    return a.Known() && b.Known() && a.volume == b.volume && a.index == b.index;
}

FileIdentity IdentityOf(const char* path) {
    if (!ByHandle() || !path || !path[0]) return FileIdentity();
    UniqueFile opened(CreateFileA(path, FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info;
    if (!opened || !GetFileInformationByHandle(opened.get(), &info)) return FileIdentity();
    return IdentityFrom(info);
}

// ---------------------------------------------------------------------------
// OpenFolder

OpenFolder OpenFolder::ByPath(const char* path, ACCESS_MASK access, bool itselfALink) {
    OpenFolder folder;
    const std::string full = FullPath(path);
    const DWORD refused = itselfALink ? 0 : FILE_ATTRIBUTE_REPARSE_POINT;
    if (full.empty()) return folder;
    if (ByHandle()) {
        const DWORD flags = FILE_FLAG_BACKUP_SEMANTICS | (itselfALink ? 0 : FILE_FLAG_OPEN_REPARSE_POINT);
        folder.handle_.reset(CreateFileA(full.c_str(), access, kShareAll, nullptr, OPEN_EXISTING, flags, nullptr));
        BY_HANDLE_FILE_INFORMATION info;
        if (!folder.handle_ || !GetFileInformationByHandle(folder.handle_.get(), &info) ||
            (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | refused)) != FILE_ATTRIBUTE_DIRECTORY)
            return OpenFolder();
        folder.identity_ = IdentityFrom(info);
    }
    // Wine opens a link's target even when asked for the link itself: the
    // path must show no link now, and lead to the folder held.
    const DWORD attributes = GetFileAttributesA(full.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES ||
        (attributes & (FILE_ATTRIBUTE_DIRECTORY | refused)) != FILE_ATTRIBUTE_DIRECTORY ||
        (ByHandle() && !itselfALink && !SameIdentity(IdentityOf(full.c_str()), folder.identity_)))
        return OpenFolder();
    folder.valid_ = true;
    folder.path_ = folder.rootPath_ = full;
    folder.rootIdentity_ = folder.identity_;
    return folder;
}

OpenFolder OpenFolder::Root(const char* path, bool forDeletion, const FileIdentity* expected) {
    OpenFolder folder = ByPath(path, kListAccess | (forDeletion ? kRemoveAccess : 0), false);
    if (ByHandle() && expected && !SameIdentity(*expected, folder.identity_)) return OpenFolder();
    return folder;
}

OpenFolder OpenFolder::Resolved(const char* path) { return ByPath(path, kListAccess, true); }

OpenFolder OpenFolder::Duplicate() const {
    OpenFolder copy;
    if (!valid_) return copy;
    if (handle_) {
        HANDLE duplicate = nullptr;
        if (!DuplicateHandle(GetCurrentProcess(), handle_.get(), GetCurrentProcess(), &duplicate, 0, FALSE,
                             DUPLICATE_SAME_ACCESS))
            return copy;
        copy.handle_.reset(duplicate);
    }
    copy.valid_ = true;
    copy.path_ = path_;
    copy.identity_ = identity_;
    copy.rootPath_ = rootPath_;
    copy.rootIdentity_ = rootIdentity_;
    copy.steps_ = steps_;
    return copy;
}

std::string OpenFolder::PathOf(const FolderEntry& entry) const {
    return JoinPath(path_, entry.name);
}

bool OpenFolder::List(std::vector<FolderEntry>* entries) const {
    entries->clear();
    if (!valid_) return false;
    if (!ByHandle()) return ListByPath(path_, entries);
    std::vector<nt::DirEntry> listed;
    if (!nt::ListFolder(handle_.get(), &listed)) return false;
    entries->reserve(listed.size());
    for (nt::DirEntry& found : listed) {
        FolderEntry entry;
        entry.name = ToAnsi(found.name);
        entry.shortName = ToAnsi(found.shortName);
        entry.wideName = std::move(found.name);
        entry.attributes = found.attributes;
        if (found.fileId) {
            entry.identity.volume = identity_.volume;  // an entry on another volume is a mount point, a link
            entry.identity.index = found.fileId;
        }
        entries->push_back(std::move(entry));
    }
    return true;
}

bool OpenFolder::Find(const char* name, FolderEntry* entry) const {
    std::vector<FolderEntry> entries;
    if (!name || !name[0] || !List(&entries)) return false;
    for (FolderEntry& found : entries) {
        if (EqualsNoCase(found.name.c_str(), name) ||
            (!found.shortName.empty() && EqualsNoCase(found.shortName.c_str(), name))) {
            *entry = std::move(found);
            return true;
        }
    }
    return false;
}

OpenFolder OpenFolder::Sub(const FolderEntry& entry, bool forDeletion, bool* gone) const {
    bool absent = false;
    OpenFolder sub;
    if (valid_ && entry.IsFolder() && !entry.IsLink()) {
        sub.path_ = PathOf(entry);
        if (ByHandle()) {
            sub.handle_.reset(nt::OpenRelative(handle_.get(), entry.wideName,
                                               kListAccess | (forDeletion ? kRemoveAccess : 0), kShareAll,
                                               kDirectoryFile, &absent));
            Opened opened;
            sub.valid_ = sub.handle_ && Matches(entry, sub.handle_.get(), identity_.volume, &opened);
            sub.identity_ = opened.identity;
        } else {
            const DWORD attributes = GetFileAttributesA(sub.path_.c_str());
            absent = attributes == INVALID_FILE_ATTRIBUTES && Absent(sub.path_);
            sub.valid_ = attributes != INVALID_FILE_ATTRIBUTES &&
                         (attributes & kFolderOrLink) == FILE_ATTRIBUTE_DIRECTORY;
        }
    }
    if (gone) *gone = absent;
    if (!sub.valid_) return OpenFolder();
    sub.rootPath_ = rootPath_;
    sub.rootIdentity_ = rootIdentity_;
    sub.steps_ = steps_;
    sub.steps_.push_back(entry);
    sub.steps_.back().identity = sub.identity_;
    return sub;
}

ListedItem OpenFolder::Record(const FolderEntry& entry) const {
    ListedItem item;
    item.root = rootPath_;
    item.rootIdentity = rootIdentity_;
    item.steps = steps_;
    item.steps.push_back(entry);
    return item;
}

bool OpenFolder::DeleteEntry(const FolderEntry& entry, Attributes attributes) const {
    if (!valid_) return false;
    if (!ByHandle()) return DeleteByPath(PathOf(entry), entry, attributes);
    bool gone = false;
    UniqueFile item(nt::OpenRelative(
        handle_.get(), entry.wideName,
        DELETE | FILE_READ_ATTRIBUTES | (attributes == Attributes::kAsTheyAre ? 0 : FILE_WRITE_ATTRIBUTES), kShareAll,
        entry.IsFolder() ? kDirectoryFile : kNonDirectoryFile, &gone));
    Opened opened;
    return item && Matches(entry, item.get(), identity_.volume, &opened) &&
           MarkForDeletion(item.get(), opened.attributes, attributes);
}

bool OpenFolder::RemoveContents(Attributes attributes) const {
    std::vector<FolderEntry> entries;
    if (!List(&entries)) return false;
    bool all = true;
    for (const FolderEntry& entry : entries) {
        if (entry.IsFolder() && !entry.IsLink()) {
            const OpenFolder sub = Sub(entry, true);
            all = sub.ok() && sub.RemoveContents(attributes) && sub.RemoveSelf(attributes) && all;
        } else {
            all = DeleteEntry(entry, attributes) && all;
        }
    }
    return all;
}

bool OpenFolder::RemoveSelf(Attributes attributes) const {
    if (!valid_) return false;
    if (ByHandle()) {
        Opened self;
        return nt::QueryIndex(handle_.get(), &self.identity.index, &self.attributes) &&
               MarkForDeletion(handle_.get(), self.attributes, attributes);
    }
    FolderEntry self;
    self.attributes = FILE_ATTRIBUTE_DIRECTORY;
    return DeleteByPath(path_, self, attributes);
}

// Opens a listed file of this folder with access and share (the 9x family:
// generic and share for CreateFileA), unless it is a link, is no longer the
// file listed, or has more than one name.
UniqueFile OpenFolder::OpenListedFile(const FolderEntry& entry, ACCESS_MASK access, DWORD share,
                                      DWORD genericAccess, DWORD pathShare) const {
    UniqueFile file;
    if (!valid_ || entry.IsFolder() || entry.IsLink()) return file;
    bool gone = false;
    if (ByHandle())
        file.reset(nt::OpenRelative(handle_.get(), entry.wideName, access, share, kNonDirectoryFile, &gone));
    else
        file.reset(CreateFileA(PathOf(entry).c_str(), genericAccess, pathShare, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
    BY_HANDLE_FILE_INFORMATION info;
    Opened opened;
    if (!file || !GetFileInformationByHandle(file.get(), &info) || info.nNumberOfLinks != 1 ||
        (ByHandle() && !Matches(entry, file.get(), identity_.volume, &opened)))
        file.reset();
    return file;
}

UniqueFile OpenFolder::OpenToOverwrite(const FolderEntry& entry) const {
    return OpenListedFile(entry, FILE_WRITE_DATA | FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                          GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE);
}

UniqueFile OpenFolder::OpenToRead(const FolderEntry& entry) const {
    return OpenListedFile(entry, FILE_READ_DATA | FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_DELETE,
                          GENERIC_READ, FILE_SHARE_READ);
}

namespace {
bool IsOneComponent(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find_first_of("\\/") == std::string::npos;
}
}  // namespace

UniqueFile OpenFolder::MakeFile(const std::string& name) const {
    UniqueFile file;
    if (!valid_ || !IsOneComponent(name)) return file;
    bool exists = false;
    if (ByHandle())
        file.reset(nt::CreateRelative(handle_.get(), ToWide(name), FILE_WRITE_DATA | FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ, kNonDirectoryFile, FILE_ATTRIBUTE_NORMAL, &exists));
    else
        file.reset(CreateFileA(PathOf(Named(name)).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
    return file;
}

OpenFolder OpenFolder::Below(const std::string& name, Reaching how) const {
    if (!valid_ || !IsOneComponent(name)) return OpenFolder();
    FolderEntry entry;
    if (Find(name.c_str(), &entry)) return how == Reaching::kNew || entry.IsLink() ? OpenFolder() : Sub(entry);
    if (how == Reaching::kOpen) return OpenFolder();
    bool made = false;
    return MakeSub(Named(name), 0, false, &made);
}

// ---------------------------------------------------------------------------
// Moving

OpenFolder OpenFolder::MadeWay(const char* path) {
    const std::string full = FullPath(path);
    const size_t root = RootLength(full);
    if (root != 3 || full[1] != ':') return OpenFolder();  // a drive's folder, nothing else
    OpenFolder folder = ByPath(full.substr(0, root).c_str(), kListAccess, false);
    for (size_t at = root; folder.ok() && at < full.size();) {
        const size_t end = NextSeparator(full, at);
        const std::string name = full.substr(at, end - at);
        at = end + 1;
        FolderEntry entry;
        bool made = false;
        if (folder.Find(name.c_str(), &entry))
            folder = entry.IsLink() ? OpenFolder() : folder.Sub(entry);  // no folder: Sub refuses
        else
            folder = folder.MakeSub(folder.Named(name), 0, false, &made);
    }
    return folder;
}

bool OpenFolder::RealPath(std::string* path) const {
    using FinalPathFn = DWORD(WINAPI*)(HANDLE, LPSTR, DWORD, DWORD);
    static const auto finalPath = SystemFunction<FinalPathFn>("kernel32.dll", "GetFinalPathNameByHandleA");
    *path = path_;
    if (!valid_ || !handle_ || !finalPath) return false;
    char real[MAX_PATH * 2];
    const DWORD n = finalPath(handle_.get(), real, sizeof real, 0);
    if (n == 0 || n >= sizeof real) return false;
    *path = WithoutLongPrefix(real);
    return true;
}

FolderEntry OpenFolder::Named(const std::string& name) const {
    FolderEntry entry;
    entry.name = name;
    if (ByHandle()) entry.wideName = ToWide(name);
    return entry;
}

OpenFolder OpenFolder::MakeSub(const FolderEntry& target, DWORD attributes, bool intoExisting, bool* made) const {
    *made = false;
    OpenFolder sub;
    if (!valid_) return sub;
    attributes &= kSettable;
    bool exists = false;
    if (ByHandle()) {
        sub.handle_.reset(nt::CreateRelative(handle_.get(), target.wideName, kListAccess | kRemoveAccess, kShareAll,
                                             kDirectoryFile, attributes, &exists));
        Opened opened;
        sub.valid_ = sub.handle_ && nt::QueryIndex(sub.handle_.get(), &opened.identity.index, &opened.attributes);
        sub.identity_ = FileIdentity{identity_.volume, opened.identity.index};
    } else {
        sub.path_ = PathOf(target);
        sub.valid_ = CreateDirectoryA(sub.path_.c_str(), nullptr) != FALSE;
        exists = !sub.valid_ && GetLastError() == ERROR_ALREADY_EXISTS;
        if (sub.valid_ && attributes) SetFileAttributesA(sub.path_.c_str(), attributes);
    }
    if (!sub.valid_) {
        FolderEntry there;
        return exists && intoExisting && Find(target.name.c_str(), &there) ? Sub(there) : OpenFolder();
    }
    *made = true;
    sub.path_ = PathOf(target);
    sub.rootPath_ = rootPath_;
    sub.rootIdentity_ = rootIdentity_;
    sub.steps_ = steps_;
    sub.steps_.push_back(target);
    sub.steps_.back().attributes = FILE_ATTRIBUTE_DIRECTORY;
    sub.steps_.back().identity = sub.identity_;
    return sub;
}

namespace {
// A file to another volume: copied by handle (never replacing anything),
// then the original deleted through its own handle. Whatever fails, the
// copy goes again and the original stays.
bool CopyThenDelete(HANDLE item, DWORD attributes, HANDLE folder, const std::wstring& name) {
    bool exists = false;
    UniqueFile copy(nt::CreateRelative(folder, name, FILE_WRITE_DATA | FILE_APPEND_DATA | FILE_WRITE_ATTRIBUTES | DELETE,
                                       0, kNonDirectoryFile, FILE_ATTRIBUTE_NORMAL, &exists));
    if (!copy) return false;
    if (CopyBytes(item, copy.get()) && nt::CopyTimesAndAttributes(item, copy.get()) &&
        MarkForDeletion(item, attributes, Attributes::kClearReadOnly))
        return true;
    nt::SetAttributes(copy.get(), FILE_ATTRIBUTE_NORMAL);
    nt::MarkForDeletion(copy.get());
    return false;
}
}  // namespace

bool OpenFolder::MoveEntry(const FolderEntry& entry, const OpenFolder& to, const FolderEntry& target) const {
    if (!valid_ || !to.valid_ || (entry.IsFolder() && !entry.IsLink())) return false;
    if (!ByHandle()) {
        const std::string from = PathOf(entry);
        const DWORD attributes = GetFileAttributesA(from.c_str());
        return !entry.IsLink() && attributes != INVALID_FILE_ATTRIBUTES && !(attributes & kFolderOrLink) &&
               MoveFileA(from.c_str(), to.PathOf(target).c_str());
    }
    const ULONG options = entry.IsFolder() ? kDirectoryFile : kNonDirectoryFile;
    const bool sameVolume = identity_.volume == to.identity_.volume;
    if (!sameVolume && entry.IsLink()) return false;  // a link cannot be copied
    // The copy reads the file and lets nobody write to it meanwhile.
    const ACCESS_MASK access =
        DELETE | FILE_READ_ATTRIBUTES | (sameVolume ? 0 : FILE_READ_DATA | FILE_WRITE_ATTRIBUTES);
    bool gone = false;
    UniqueFile item(nt::OpenRelative(handle_.get(), entry.wideName, access,
                                     sameVolume ? kShareAll : FILE_SHARE_READ | FILE_SHARE_DELETE, options, &gone));
    Opened opened;
    if (!item || !Matches(entry, item.get(), identity_.volume, &opened)) return false;
    if (sameVolume) return nt::MoveTo(item.get(), to.handle_.get(), target.wideName);
    return CopyThenDelete(item.get(), opened.attributes, to.handle_.get(), target.wideName);
}

MoveOutcome OpenFolder::MoveTree(const OpenFolder& to, const FolderEntry& target, const FileNaming& naming,
                                 bool intoExisting) const {
    MoveOutcome outcome;
    Opened self;
    if (ByHandle()) {
        if (!nt::QueryIndex(handle_.get(), &self.identity.index, &self.attributes)) return outcome;
    } else {
        self.attributes = GetFileAttributesA(path_.c_str());
        if (self.attributes == INVALID_FILE_ATTRIBUTES) return outcome;
    }
    bool made = false;
    const OpenFolder arrived = to.MakeSub(target, self.attributes, intoExisting, &made);
    if (!arrived.ok()) return outcome;
    outcome.arrived = made;
    std::vector<FolderEntry> entries;
    bool all = List(&entries);
    for (const FolderEntry& entry : entries) {
        if (entry.IsFolder() && !entry.IsLink()) {
            const OpenFolder sub = Sub(entry, true);
            const MoveOutcome inner = sub.ok() ? sub.MoveTree(arrived, entry, naming, true) : MoveOutcome();
            outcome.arrived = outcome.arrived || inner.arrived;
            all = inner.complete && all;
        } else if (MoveEntry(entry, arrived, Renamed(entry, naming))) {
            outcome.arrived = true;
        } else {
            all = false;
        }
    }
    outcome.complete = all && RemoveSelf(Attributes::kNormal);
    return outcome;
}

// ---------------------------------------------------------------------------
// Held items

bool HeldItem::Delete(Attributes attributes) {
    if (reach_ != Reach::kHeld) return false;
    bool done = false;
    if (self_.ok()) {
        done = self_.RemoveSelf(attributes);
        if (done) self_ = OpenFolder();  // the last handle: the folder goes now
    } else {
        done = parent_.DeleteEntry(entry_, attributes);
    }
    if (done) reach_ = Reach::kGone;
    return done;
}

bool HeldItem::RemoveTree(Attributes attributes) {
    if (reach_ != Reach::kHeld) return false;
    if (self_.ok()) self_.RemoveContents(attributes);
    return Delete(attributes);
}

MoveOutcome HeldItem::MoveInto(const OpenFolder& folder, const std::string& name, const FileNaming& naming,
                               bool intoExisting) {
    MoveOutcome outcome;
    if (reach_ != Reach::kHeld || !folder.ok() || name.empty()) return outcome;
    const FolderEntry target = folder.Named(name);
    if (self_.ok()) {
        outcome = self_.MoveTree(folder, target, naming, intoExisting);
        if (outcome.complete) self_ = OpenFolder();  // the last handle: the emptied folder goes now
    } else {
        outcome.arrived = outcome.complete = parent_.MoveEntry(entry_, folder, target);
    }
    if (outcome.complete) reach_ = Reach::kGone;
    return outcome;
}

bool HeldItem::RealPath(std::string* path) const {
    std::string folder;
    const bool real = parent_.RealPath(&folder);
    *path = real ? JoinPath(folder, entry_.name) : path_;
    return real;
}

UniqueFile HeldItem::OpenToRead() const {
    return reach_ == Reach::kHeld && !self_.ok() ? parent_.OpenToRead(entry_) : UniqueFile();
}

HeldItem HeldItem::NotHeld(bool gone) {
    HeldItem held;
    held.reach_ = gone ? Reach::kGone : Reach::kRefused;
    return held;
}

HeldItem HoldEntry(OpenFolder parent, const FolderEntry& entry) {
    HeldItem held;
    held.entry_ = entry;
    held.identity_ = entry.identity;
    if (!parent.ok()) return held;
    held.path_ = parent.PathOf(entry);
    bool gone = false, matches = false;
    if (entry.IsFolder() && !entry.IsLink()) {
        held.self_ = parent.Sub(entry, true, &gone);
        matches = held.self_.ok();
        held.identity_ = held.self_.identity();
    } else if (ByHandle()) {
        // A plain file of that name made since the listing (a program's file
        // made anew) counts as the listed one: it is the file held now, and
        // the act must find that one.
        FolderEntry expected = entry;
        if (!entry.IsLink()) expected.identity = FileIdentity();
        UniqueFile probe(nt::OpenRelative(parent.handle_.get(), entry.wideName, FILE_READ_ATTRIBUTES, kShareAll,
                                          entry.IsFolder() ? kDirectoryFile : kNonDirectoryFile, &gone));
        Opened opened;
        matches = probe && Matches(expected, probe.get(), parent.identity_.volume, &opened);
        held.entry_.identity = held.identity_ = opened.identity;
    } else {
        const DWORD attributes = GetFileAttributesA(held.path_.c_str());
        gone = attributes == INVALID_FILE_ATTRIBUTES && Absent(held.path_);
        matches = attributes != INVALID_FILE_ATTRIBUTES &&
                  (attributes & kFolderOrLink) == (entry.attributes & kFolderOrLink);
    }
    if (!matches) {
        held.reach_ = gone ? Reach::kGone : Reach::kRefused;
        return held;
    }
    held.parent_ = std::move(parent);
    held.reach_ = Reach::kHeld;
    return held;
}

HeldItem HoldListed(const ListedItem& item) { return HeldFolders().Hold(item); }

HeldItem HeldFolders::Hold(const ListedItem& item) {
    if (item.Empty()) return HeldItem();
    std::string key = item.root + KeyOf(item.rootIdentity);
    auto folder = folders_.find(key);
    if (folder == folders_.end()) {
        OpenFolder root = OpenFolder::Root(item.root.c_str(), false, &item.rootIdentity);
        if (!root.ok()) return HeldItem::NotHeld(Absent(item.root));
        folder = folders_.emplace(key, std::move(root)).first;
    }
    for (size_t step = 0; step + 1 < item.steps.size(); ++step) {
        key += KeyOf(item.steps[step]);
        auto next = folders_.find(key);
        if (next == folders_.end()) {
            bool gone = false;
            OpenFolder sub = folder->second.Sub(item.steps[step], false, &gone);
            if (!sub.ok()) return HeldItem::NotHeld(gone);
            next = folders_.emplace(key, std::move(sub)).first;
        }
        folder = next;
    }
    return HoldEntry(folder->second.Duplicate(), item.steps.back());
}

HeldItem HoldPath(const char* path) {
    const std::string full = FullPath(path);
    const size_t root = RootLength(full), separator = LastSeparator(full);
    FolderEntry entry;
    if (full.size() <= root || separator == std::string::npos || separator + 1 < root) return HeldItem();
    entry.name = full.substr(separator + 1);
    const std::string parentPath = full.substr(0, separator + 1 == root ? root : separator);
    OpenFolder parent = OpenFolder::Resolved(parentPath.c_str());
    if (!parent.ok()) return HeldItem::NotHeld(Absent(parentPath));
    if (!parent.Find(entry.name.c_str(), &entry)) return HeldItem::NotHeld(true);
    return HoldEntry(std::move(parent), entry);
}

}  // namespace base
