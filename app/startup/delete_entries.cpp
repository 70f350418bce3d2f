// Deleting a row by its own kind, judged by what is there afterwards.
#include "app/startup/startup_entries.h"
#include "base/registry_links.h"
#include "base/wow64.h"

namespace startup {

namespace {

enum class Presence { kAbsent, kPresent, kUnknown };

// The row's key, every key on the way opened as itself: a registry link there
// (which could lead to another key's values) is neither read nor written.
base::HeldKey RowKey(HKEY root, const std::string& key, REGSAM access, REGSAM view) {
    return base::OpenKeyWay(root, key, access, view);
}

Presence ValuePresence(HKEY root, const std::string& key, const std::string& name, REGSAM view) {
    const base::HeldKey handle = RowKey(root, key, KEY_QUERY_VALUE, view);
    if (handle.reach() == base::Reach::kRefused) return Presence::kUnknown;
    LONG status = ERROR_FILE_NOT_FOUND;
    if (handle.ok()) status = RegQueryValueExA(handle.get(), name.c_str(), nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_SUCCESS || status == ERROR_MORE_DATA) return Presence::kPresent;
    return status == ERROR_FILE_NOT_FOUND ? Presence::kAbsent : Presence::kUnknown;
}

// A held file goes through its handle; a folder, a link to one, and what is
// no longer what was listed stay.
DeleteOutcome DeleteHeld(base::HeldItem file) {
    switch (file.reach()) {
    case base::Reach::kGone: return DeleteOutcome::kAlreadyGone;
    case base::Reach::kRefused: return DeleteOutcome::kStillThere;
    case base::Reach::kHeld: break;
    }
    if (file.IsFolder()) return DeleteOutcome::kStillThere;
    return file.Delete(base::Attributes::kAsTheyAre) ? DeleteOutcome::kDeleted : DeleteOutcome::kStillThere;
}

// Runs the attempt unless the entry is gone already, and judges by what is
// there afterwards; only when that cannot be seen does the attempt's own
// result count.
template <typename Look, typename Attempt>
DeleteOutcome Judge(Look presence, Attempt attempt) {
    if (presence() == Presence::kAbsent) return DeleteOutcome::kAlreadyGone;
    const bool succeeded = attempt();
    switch (presence()) {
    case Presence::kAbsent: return DeleteOutcome::kDeleted;
    case Presence::kPresent: return DeleteOutcome::kStillThere;
    default: return succeeded ? DeleteOutcome::kDeleted : DeleteOutcome::kStillThere;
    }
}

}  // namespace

DeleteOutcome DeleteRegValue(const std::string& path, const std::string& name) {
    const size_t separator = path.find('\\');
    if (separator == std::string::npos) return DeleteOutcome::kStillThere;  // names no key at all
    const HKEY root =
        path.compare(0, separator, "HKEY_CURRENT_USER") == 0 ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
    std::string key = path.substr(separator + 1);
    // A row of the 64-bit view: its key without the marker, in that view.
    const size_t marker = sizeof k64BitViewMarker - 1;
    const bool view64 = key.size() > marker && key.compare(key.size() - marker, marker, k64BitViewMarker) == 0;
    if (view64 && !base::RunsUnderWow64()) return DeleteOutcome::kStillThere;
    if (view64) key.resize(key.size() - marker);
    const REGSAM view = view64 ? base::Registry64View() : 0;
    return Judge([&] { return ValuePresence(root, key, name, view); },
                 [&] {
                     const base::HeldKey handle = RowKey(root, key, KEY_SET_VALUE, view);
                     return handle.ok() && RegDeleteValueA(handle.get(), name.c_str()) == ERROR_SUCCESS;
                 });
}

DeleteOutcome DeleteFolderEntry(const std::string& folder, const std::string& name) {
    base::OpenFolder parent = base::OpenFolder::Root(folder.c_str());
    base::FolderEntry entry;
    if (!parent.ok())  // no such folder, or one that is a link
        return GetFileAttributesA(folder.c_str()) == INVALID_FILE_ATTRIBUTES ? DeleteOutcome::kAlreadyGone
                                                                             : DeleteOutcome::kStillThere;
    if (!parent.Find(name.c_str(), &entry)) return DeleteOutcome::kAlreadyGone;
    return DeleteHeld(base::HoldEntry(std::move(parent), entry));
}

DeleteOutcome DeleteListedEntry(const base::ListedItem& listed) { return DeleteHeld(base::HoldListed(listed)); }

DeleteOutcome DeleteRow(const StartupRow& row) {
    if (KindOf(row) == RowKind::kRegistryValue) return DeleteRegValue(row.path, row.name);
    return row.listed.Empty() ? DeleteFolderEntry(row.path, row.name) : DeleteListedEntry(row.listed);
}

void ListedRows::Add(const StartupRow& row) {
    if (!row.listed.Empty()) items_[{row.path, row.name}] = row.listed;
}

void ListedRows::Attach(StartupRow* row) const {
    const auto found = items_.find({row->path, row->name});
    if (found != items_.end() && KindOf(*row) == RowKind::kFolderEntry) row->listed = found->second;
}

DeleteTally DeleteCheckedRows(std::vector<StartupRow>* rows, const std::function<void(size_t row)>& left) {
    DeleteTally tally;
    for (auto row = rows->begin(); row != rows->end();) {
        if (!row->checked) {
            ++row;
        } else if (LeavesList(DeleteRow(*row))) {
            if (left) left(static_cast<size_t>(row - rows->begin()));
            row = rows->erase(row);
            ++tally.removed;
        } else {
            ++row;
            ++tally.kept;
        }
    }
    return tally;
}

}  // namespace startup
