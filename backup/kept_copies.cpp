// Copies kept of items left for the next start of Windows (backup/keeper.h):
// an item in use cannot be moved into the backup, so what the restart will
// take is copied in first, and a restore puts the copy back once the restart
// has taken the item (a restore never writes over what is there).
#include <stdio.h>

#include <vector>

#include "backup/keeper.h"
#include "backup/kept_digest.h"
#include "base/file_size.h"
#include "base/unique_handle.h"

namespace backup {

namespace {

constexpr size_t kLongestKeptName = 180;  // as the other kept names

// "NNNN_name", "NNNN" for a name that is long or lost characters to the
// ANSI code page.
std::string CopyName(int number, const std::string& name) {
    char stem[16];
    snprintf(stem, sizeof stem, "%04d", number);
    const bool usable = !name.empty() && name.size() <= kLongestKeptName && name.find('?') == std::string::npos;
    return stem + (usable ? "_" + name : std::string());
}

// Copies every file of from (links aside) into to, made anew, subfolders as
// plain folders and every file named with ".bak" added.
bool CopyTree(const base::OpenFolder& from, const base::OpenFolder& to) {
    std::vector<base::FolderEntry> entries;
    if (!to.ok() || !from.List(&entries)) return false;
    for (const base::FolderEntry& entry : entries) {
        if (entry.IsLink()) continue;
        if (entry.IsFolder()) {
            if (!CopyTree(from.Sub(entry), to.Below(entry.name, base::OpenFolder::Reaching::kNew))) return false;
            continue;
        }
        const base::UniqueFile source = from.OpenToRead(entry);
        const base::UniqueFile copy = to.MakeFile(entry.name + kKeptSuffix);
        if (!source || !copy || !base::CopyBytes(source.get(), copy.get())) return false;
    }
    return true;
}

}  // namespace

bool Keeper::CopyIn(const base::HeldItem& item, std::string* stored) {
    if (!ok() || item.reach() != base::Reach::kHeld || item.IsLink()) return false;
    *stored = CopyName(next_++, item.name());
    bool copied;
    if (item.IsFolder()) {
        const base::OpenFolder from = base::OpenFolder::Root(item.path().c_str(), false, &item.identity());
        copied = from.ok() && CopyTree(from, folder_.Below(*stored, base::OpenFolder::Reaching::kNew));
    } else {
        *stored += kKeptSuffix;
        const base::UniqueFile source = item.OpenToRead();
        const base::UniqueFile copy = source ? folder_.MakeFile(*stored) : base::UniqueFile();
        copied = copy && base::CopyBytes(source.get(), copy.get());
    }
    if (!copied) DropCopy(*stored);
    return copied;
}

void Keeper::ListCopy(const base::HeldItem& item, const std::string& stored, bool view64, const std::string& record) {
    Entry entry;
    entry.kind = item.IsFolder() ? Kind::kFolder : Kind::kFile;
    entry.view64 = view64;
    entry.realPlace = item.RealPath(&entry.place);
    entry.stored = stored;
    entry.record = record;
    // What a folder's move into the backup left behind joins what it moved,
    // so that the folder goes back whole once the restart has taken the rest.
    Entry* moved = entries_.empty() ? nullptr : &entries_.back();
    base::FolderEntry copy;
    if (item.IsFolder() && moved && moved->kind == Kind::kFolder && !moved->complete && moved->place == entry.place &&
        folder_.Find(stored.c_str(), &copy)) {
        const base::MoveOutcome joined =
            base::HoldEntry(folder_.Duplicate(), copy).MoveInto(folder_, moved->stored, base::FileNaming{}, true);
        if (joined.arrived) {
            moved->digest = DigestOfStored(folder_, moved->stored);
            RewriteLists(folder_, entries_);
        }
        if (joined.complete) return;
    }
    Append(entry);
}

void Keeper::DropCopy(const std::string& stored) {
    base::FolderEntry entry;
    if (folder_.Find(stored.c_str(), &entry))
        base::HoldEntry(folder_.Duplicate(), entry).RemoveTree(base::Attributes::kNormal);
}

}  // namespace backup
