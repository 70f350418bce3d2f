#include "engine/restart_removal.h"

#include <stdio.h>
#include <stdlib.h>

#include <algorithm>

#include "base/admin_folders.h"
#include "base/path_text.h"
#include "base/restart_schedule.h"
#include "base/wow64.h"

namespace engine {

namespace {

constexpr size_t kLongestPendingName = 180;

// The name the next start is to be given for what the item's folder holds:
// the path the system gives for the folder's handle where it can (a drive
// letter one user mapped for himself means nothing at the next start, and
// under WOW64 a redirected folder is not the one its name says). Under WOW64
// nothing without it.
bool NameForRestart(const base::HeldItem& held, std::string* path) {
    if (held.RealPath(path)) return true;
    *path = held.path();
    return !base::RunsUnderWow64();
}

std::string FolderOf(const std::string& path) {
    const size_t at = base::LastSeparator(path);
    return at == std::string::npos || at <= 2 ? path.substr(0, 3) : path.substr(0, at);
}

uint8_t ReasonFor(base::FolderTrust trust) {
    return trust == base::FolderTrust::kLink ? PURVEX_REASON_LINK : PURVEX_REASON_UNSAFE_FOLDER;
}

// "NNNN_name" with a number above every one in the pending folder.
std::string PendingName(const base::OpenFolder& pending, const std::string& name) {
    std::vector<base::FolderEntry> entries;
    pending.List(&entries);
    int highest = 0;
    for (const base::FolderEntry& entry : entries) highest = std::max(highest, atoi(entry.name.c_str()));
    char stem[16];
    snprintf(stem, sizeof stem, "%04d", highest + 1);
    const bool usable = !name.empty() && name.size() <= kLongestPendingName && name.find('?') == std::string::npos;
    return stem + (usable ? "_" + name : std::string());
}

// Where a move into the pending folder took the item.
struct Pending {
    base::MoveOutcome moved;
    base::OpenFolder folder;  // the pending folder
    std::string stored;       // the item's name there
    std::string name;         // its path there as the restart is to name it
};

// Moves the held item into the pending folder on its own volume, whatever of
// it can go (a file that cannot stays whole).
Pending MoveToPending(base::HeldItem& held) {
    Pending pending;
    if (!base::WorksByHandle()) return pending;
    pending.folder = base::OpenPendingFolder(held.path());
    std::string folder;
    if (!pending.folder.ok() || pending.folder.identity().volume != held.folderIdentity().volume ||
        (!pending.folder.RealPath(&folder) && base::RunsUnderWow64()))
        return pending;
    pending.stored = PendingName(pending.folder, held.name());
    pending.name = folder + "\\" + pending.stored;
    pending.moved = held.MoveInto(pending.folder, pending.stored, base::FileNaming{});
    return pending;
}

// Hands over, for the next start, every file in folder and each subfolder
// after what is in it, then folder itself, named from name down. judge: each
// subfolder must pass base::JudgeFolderChain (a tree at its own place; the
// caller judged name). The 9x family's WININIT.INI removes no folders: there
// only the files go. False when something was not handed over, with
// *reason saying why; *last is the last path handed over.
bool LeaveTree(const base::OpenFolder& folder, const std::string& name, bool judge, std::string* last,
               uint8_t* reason) {
    std::vector<base::FolderEntry> entries;
    if (!folder.List(&entries)) return false;
    bool all = true;
    for (const base::FolderEntry& entry : entries) {
        const std::string path = name + "\\" + entry.name;
        if (entry.IsLink()) {
            *reason = PURVEX_REASON_LINK;  // never handed over
            all = false;
        } else if (entry.IsFolder()) {
            const base::FolderTrust trust = judge ? base::JudgeFolderChain(path) : base::FolderTrust::kAdminsOnly;
            const base::OpenFolder sub = folder.Sub(entry);
            if (trust != base::FolderTrust::kAdminsOnly) *reason = ReasonFor(trust);
            all = trust == base::FolderTrust::kAdminsOnly && sub.ok() && LeaveTree(sub, path, judge, last, reason) &&
                  all;
        } else if (base::ScheduleRemovalAtRestart(path)) {
            *last = path;
        } else {
            *reason = PURVEX_REASON_NOT_TAKEN;
            all = false;
        }
    }
    if (!all || !base::WorksByHandle()) return all;
    if (!base::ScheduleRemovalAtRestart(name)) {
        *reason = PURVEX_REASON_NOT_TAKEN;
        return false;
    }
    *last = name;
    return true;
}

}  // namespace

bool RestartRemoval::SetMode(uint8_t mode) {
    if (mode > PURVEX_RESTART_UNKEPT) return false;
    mode_ = mode;
    return true;
}

void RestartRemoval::Forget() {
    for (int i = 0; i < 256; ++i) {
        reasons_[i] = PURVEX_REASON_NONE;
        paths_[i].clear();
    }
    waiting_.clear();
}

uint8_t RestartRemoval::Reason(int index) const { return index >= 0 && index < 256 ? reasons_[index] : 0; }

const char* RestartRemoval::Path(int index) const { return index >= 0 && index < 256 ? paths_[index].c_str() : ""; }

std::vector<RestartRemoval::Waiting> RestartRemoval::TakeWaiting() {
    std::vector<Waiting> taken;
    taken.swap(waiting_);
    return taken;
}

uint8_t RestartRemoval::Failed(int index, uint8_t reason) {
    reasons_[index & 0xFF] = reason;
    return PURVEX_ITEM_FAILED;
}

uint8_t RestartRemoval::AtRestart(int index, const std::string& path, uint8_t reason) {
    reasons_[index & 0xFF] = reason;
    paths_[index & 0xFF] = path;
    return PURVEX_ITEM_AT_RESTART;
}

uint8_t RestartRemoval::Leave(int index, base::HeldItem& held, bool view64, backup::Keeper* keeper,
                              const std::string& record, uint8_t type, const char* location, View view) {
    if (!on() || held.reach() != base::Reach::kHeld || held.IsLink()) return PURVEX_ITEM_FAILED;
    if (!base::CanScheduleAtRestart()) return Failed(index, PURVEX_REASON_NOT_TAKEN);
    const uint8_t outcome = held.IsFolder() ? LeaveFolder(index, held, view64, keeper, record)
                                            : LeaveFile(index, held, view64, keeper, record);
    if (outcome == PURVEX_ITEM_FAILED && Reason(index) == PURVEX_REASON_NO_COPY)
        waiting_.push_back(Waiting{index, type, location ? location : "", view});
    return outcome;
}

uint8_t RestartRemoval::LeaveFile(int index, base::HeldItem& held, bool view64, backup::Keeper* keeper,
                                  const std::string& record) {
    // A read-only file stays on purpose (base/deletion.h); the restart would not remove it either.
    if (held.attributes() & FILE_ATTRIBUTE_READONLY) return PURVEX_ITEM_FAILED;
    std::string copy;
    const bool copied = keeper && keeper->CopyIn(held, &copy);
    if (keeper && !copied && mode_ != PURVEX_RESTART_UNKEPT) return Failed(index, PURVEX_REASON_NO_COPY);
    auto drop = [&](uint8_t why) {
        if (copied) keeper->DropCopy(copy);
        return Failed(index, why);
    };

    const Pending pending = MoveToPending(held);
    const bool moved = pending.moved.complete;
    std::string name = pending.name;
    if (!moved) {
        if (!NameForRestart(held, &name)) return drop(PURVEX_REASON_NOT_TAKEN);
        const base::FolderTrust trust = base::JudgeFolderChain(FolderOf(name));
        if (trust != base::FolderTrust::kAdminsOnly) return drop(ReasonFor(trust));
    }
    const bool taken = base::ScheduleRemovalAtRestart(name);
    if (!taken && !moved) return drop(PURVEX_REASON_NOT_TAKEN);
    if (copied) keeper->ListCopy(held, copy, view64, record);
    // Moved away but not taken: gone from its place, if not yet from the disk.
    if (!taken) return PURVEX_ITEM_REMOVED;
    return AtRestart(index, name, copied || !keeper ? PURVEX_REASON_IN_USE : PURVEX_REASON_NO_COPY);
}

uint8_t RestartRemoval::LeaveFolder(int index, base::HeldItem& held, bool view64, backup::Keeper* keeper,
                                    const std::string& record) {
    std::string copy, atPlace;
    const bool copied = keeper && keeper->CopyIn(held, &copy);
    if (keeper && !copied && mode_ != PURVEX_RESTART_UNKEPT) return Failed(index, PURVEX_REASON_NO_COPY);
    if (!NameForRestart(held, &atPlace)) {
        if (copied) keeper->DropCopy(copy);
        return Failed(index, PURVEX_REASON_NOT_TAKEN);
    }
    // What can move goes into the pending folder now, and is left for the
    // restart there; what is left at its place goes from there, where
    // nobody else can change its path.
    const Pending pending = MoveToPending(held);
    std::string last;
    uint8_t why = PURVEX_REASON_NOT_TAKEN;
    bool all = true;
    if (pending.moved.arrived) {
        base::FolderEntry entry;
        const base::OpenFolder arrived =
            pending.folder.Find(pending.stored.c_str(), &entry) ? pending.folder.Sub(entry) : base::OpenFolder();
        all = arrived.ok() && LeaveTree(arrived, pending.name, false, &last, &why);
    }
    if (!pending.moved.complete) {
        const base::FolderTrust trust = base::JudgeFolderChain(atPlace);
        const base::OpenFolder left = base::OpenFolder::Root(held.path().c_str(), false, &held.identity());
        if (trust != base::FolderTrust::kAdminsOnly) why = ReasonFor(trust);
        all = trust == base::FolderTrust::kAdminsOnly && left.ok() && LeaveTree(left, atPlace, true, &last, &why) &&
              all;
    }
    if (copied && (pending.moved.arrived || all))
        keeper->ListCopy(held, copy, view64, record);
    else if (copied)
        keeper->DropCopy(copy);
    if (!all) return Failed(index, why);
    return AtRestart(index, last, copied || !keeper ? PURVEX_REASON_IN_USE : PURVEX_REASON_NO_COPY);
}

}  // namespace engine
