// Copies kept of items left for the next start of Windows (backup/keeper.h):
// an item in use cannot be moved into the backup, so what the restart will
// take is copied in first, and a restore puts the copy back once the restart
// has taken the item.
#include <stdio.h>

#include <utility>
#include <vector>

#include "backup/keeper.h"
#include "backup/manifest.h"
#include "base/unique_handle.h"

namespace backup {

namespace {

constexpr size_t kLongestKeptName = 180;  // as Keeper's own kept names
constexpr DWORD kSettable = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                            FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// "NNNN_name", "NNNN" for a name that is long or lost characters to the
// ANSI code page.
std::string CopyName(int number, const std::string& name) {
    char stem[16];
    snprintf(stem, sizeof stem, "%04d", number);
    const bool usable = !name.empty() && name.size() <= kLongestKeptName && name.find('?') == std::string::npos;
    return stem + (usable ? "_" + name : std::string());
}

// Copies the open file from to a new file at path, with its times and
// attributes; a copy not made whole goes again.
bool CopyFileTo(HANDLE from, DWORD attributes, const std::string& path) {
    base::UniqueFile to(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!to) return false;
    std::vector<char> buffer(64 * 1024);
    bool whole = true;
    for (;;) {
        DWORD read = 0, written = 0;
        if (!ReadFile(from, buffer.data(), static_cast<DWORD>(buffer.size()), &read, nullptr)) whole = false;
        if (!whole || read == 0) break;
        if (!WriteFile(to.get(), buffer.data(), read, &written, nullptr) || written != read) whole = false;
    }
    FILETIME created, accessed, written;
    if (whole && GetFileTime(from, &created, &accessed, &written)) SetFileTime(to.get(), &created, &accessed, &written);
    to.reset();
    if (!whole) {
        DeleteFileA(path.c_str());  // the backup's own half-made file
        return false;
    }
    if (attributes & kSettable) SetFileAttributesA(path.c_str(), attributes & kSettable);
    return true;
}

// Copies every file of folder (links aside) into the new folder at path,
// subfolders made as plain folders, each file named with ".bak" added.
bool CopyTree(const base::OpenFolder& folder, const std::string& path) {
    std::vector<base::FolderEntry> entries;
    if (!CreateDirectoryA(path.c_str(), nullptr) || !folder.List(&entries)) return false;
    for (const base::FolderEntry& entry : entries) {
        if (entry.IsLink()) continue;
        const std::string to = path + "\\" + entry.name;
        if (entry.IsFolder()) {
            const base::OpenFolder sub = folder.Sub(entry);
            if (!sub.ok() || !CopyTree(sub, to)) return false;
            continue;
        }
        const base::UniqueFile from = folder.OpenToRead(entry);
        if (!from || !CopyFileTo(from.get(), entry.attributes, to + kKeptSuffix)) return false;
    }
    return true;
}

}  // namespace

bool Keeper::CopyIn(const base::HeldItem& item, std::string* stored) {
    if (!ok() || item.reach() != base::Reach::kHeld || item.IsLink()) return false;
    *stored = CopyName(next_++, item.name());
    bool copied;
    if (item.IsFolder()) {
        const base::OpenFolder folder = base::OpenFolder::Root(item.path().c_str(), false, &item.identity());
        copied = folder.ok() && CopyTree(folder, path() + "\\" + *stored);
    } else {
        *stored += kKeptSuffix;
        const base::UniqueFile from = item.OpenToRead();
        copied = from && CopyFileTo(from.get(), item.attributes(), path() + "\\" + *stored);
    }
    if (!copied) DropCopy(*stored);
    return copied;
}

void Keeper::ListCopy(const base::HeldItem& item, const std::string& stored, bool view64, const std::string& record) {
    Entry entry;
    entry.kind = item.IsFolder() ? Kind::kFolder : Kind::kFile;
    entry.view64 = view64;
    entry.realPlace = item.RealPath(&entry.place);
    entry.complete = !item.IsFolder();  // a folder's copy joins what is at its place
    entry.stored = stored;
    entry.record = record;
    AppendEntry(path(), entry);
}

void Keeper::DropCopy(const std::string& stored) {
    // The folder opened anew lists afresh (Wine keeps what a handle listed first).
    base::OpenFolder folder = base::OpenFolder::Root(path().c_str(), false, &folder_.identity());
    base::FolderEntry entry;
    if (folder.Find(stored.c_str(), &entry)) base::HoldEntry(std::move(folder), entry).RemoveTree(base::Attributes::kNormal);
}

}  // namespace backup
