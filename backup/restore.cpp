#include "backup/restore.h"

#include <windows.h>

#include <set>
#include <vector>

#include "backup/manifest.h"
#include "backup/reg_file.h"
#include "base/ansi_text.h"
#include "base/deletion.h"
#include "base/protected_locations.h"
#include "base/registry_links.h"
#include "base/unique_handle.h"
#include "base/wow64.h"

namespace backup {

namespace {

// How putting back one entry ended.
struct Outcome {
    bool done = false;     // nothing of it is left in the backup: the entry goes
    bool counted = false;  // a database item came back
    bool partial = false;  // some of it came back, some is left
};

bool IsRegistryEntry(const Entry& e) { return e.kind == Kind::kKey || e.kind == Kind::kValue || e.kind == Kind::kSetting; }

Outcome PutBackFileOrFolder(const base::OpenFolder& backup, const Entry& e) {
    Outcome outcome;
    base::FileRedirectionOff redirection(e.view64 || e.realPlace);
    base::FolderEntry stored;
    if (!backup.Find(e.stored.c_str(), &stored)) {
        outcome.done = true;  // nothing left to put back (taken out by hand)
        return outcome;
    }
    const ptrdiff_t at = base::LastBackslash(e.place.c_str());
    const size_t separator = static_cast<size_t>(at);
    if (base::IsDeviceOrNetworkPath(e.place.c_str()) || at < 0 || separator + 1 >= e.place.size()) return outcome;
    const std::string name = e.place.substr(separator + 1);
    const base::OpenFolder parent = base::OpenFolder::MadeWay(e.place.substr(0, separator == 2 ? 3 : separator).c_str());
    if (!parent.ok()) return outcome;
    base::FolderEntry there;
    const bool taken = parent.Find(name.c_str(), &there);
    // Only a folder that could not be emptied joins what is left of it.
    const bool join = taken && !e.complete && e.kind == Kind::kFolder && there.IsFolder() && !there.IsLink();
    if (taken && !join) return outcome;
    base::HeldItem held = base::HoldEntry(backup.Duplicate(), stored);
    const base::FileNaming naming = {base::FileNaming::kDropSuffix, kKeptSuffix};
    const base::MoveOutcome moved = held.MoveInto(parent, name, naming, join);
    outcome.done = moved.complete;
    outcome.counted = moved.arrived;
    outcome.partial = moved.arrived && !moved.complete;
    return outcome;
}

bool ReadText(const std::string& path, std::string* text) {
    base::UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    char buffer[16 * 1024];
    DWORD read = 0;
    while (ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr) && read > 0) text->append(buffer, read);
    return true;
}

// Something is at the place: a key, or a link where a key was.
bool KeyExists(HKEY root, const std::string& subkey, REGSAM view) {
    return base::OpenKeyWay(root, subkey, KEY_READ, view).reach() != base::Reach::kGone;
}

bool ValueExists(HKEY root, const std::string& subkey, const std::string& name, REGSAM view) {
    const base::HeldKey key = base::OpenKeyWay(root, subkey, KEY_QUERY_VALUE, view);
    return key.reach() == base::Reach::kRefused ||
           (key.ok() && RegQueryValueExA(key.get(), name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS);
}

// The entry's own key and value out of its REGEDIT4 file.
bool FindValue(const RegKeys& keys, const Entry& e, RegKey* only) {
    for (const RegKey& key : keys) {
        if (!base::EqualsNoCase(key.path.c_str(), e.place.c_str())) continue;
        for (const RegValue& value : key.values) {
            if (value.name != e.valueName) continue;
            *only = RegKey{key.path, {value}};
            return true;
        }
    }
    return false;
}

// A setting as it was before the cure; an absent one goes again, and with
// it a key the cure made, when nothing else is in it now.
void PutBackSetting(HKEY root, const std::string& subkey, const RegKey& only, const Entry& e, REGSAM view) {
    int added = 0;
    if (!e.valueAbsent) {
        WriteKeys({only}, view, false, &added);
        return;
    }
    const base::HeldKey key = base::OpenKeyWay(root, subkey, KEY_ALL_ACCESS, view);
    if (!key.ok()) return;
    RegDeleteValueA(key.get(), e.valueName.c_str());
    DWORD subkeys = 1, values = 1;
    const bool empty = RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values,
                                        nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
                       subkeys == 0 && values == 0;
    if (e.keyAbsent && empty) key.DeleteSelf();
}

Outcome PutBackRegistryItem(const std::string& folder, const Entry& e) {
    Outcome outcome;
    std::string text, subkey;
    RegKeys keys;
    if (!ReadText(folder + "\\" + e.stored, &text)) {
        outcome.done = true;  // nothing left to put back
        return outcome;
    }
    const HKEY root = RootOf(e.place, &subkey);
    if (!root || (e.kind == Kind::kKey && subkey.empty()) || !ParseRegFile(text, &keys) || keys.empty())
        return outcome;
    const REGSAM view = e.view64 ? base::Registry64View() : 0;
    int added = 0;
    RegKey only;
    switch (e.kind) {
    case Kind::kKey: {
        // A key the cure could not remove whole gets back what it lost.
        const bool there = KeyExists(root, subkey, view);
        bool refused = false;  // a link on the way: the entry stays in the backup
        if (there && e.complete) return outcome;
        WriteKeys(keys, view, there, &added, &refused);
        if (refused) return outcome;
        outcome.counted = !there || added > 0;
        break;
    }
    case Kind::kValue: {
        bool refused = false;
        if (!FindValue(keys, e, &only) || ValueExists(root, subkey, e.valueName, view)) return outcome;
        outcome.counted = WriteKeys({only}, view, true, &added, &refused) && added > 0;
        if (refused) return outcome;
        break;
    }
    default:
        if (FindValue(keys, e, &only)) PutBackSetting(root, subkey, only, e, view);
        break;
    }
    outcome.done = true;
    return outcome;
}

// Removes one of the backup's own files.
void Drop(const base::OpenFolder& backup, const std::string& name) {
    base::FolderEntry entry;
    if (backup.Find(name.c_str(), &entry) && !entry.IsFolder()) backup.DeleteEntry(entry, base::Attributes::kNormal);
}

}  // namespace

int RestoreBackup(const std::string& folder) {
    std::vector<Entry> entries;
    if (!ReadManifest(folder, &entries) || entries.empty()) return -1;
    const base::OpenFolder backup = base::OpenFolder::Root(folder.c_str());
    if (!backup.ok()) return -1;

    int count = 0;
    std::vector<Entry> left;
    std::set<std::string> regFilesDone, regFilesLeft;
    for (auto e = entries.rbegin(); e != entries.rend(); ++e) {
        const Outcome outcome = IsRegistryEntry(*e) ? PutBackRegistryItem(backup.path(), *e)
                                                    : PutBackFileOrFolder(backup, *e);
        if (outcome.counted && e->kind != Kind::kSetting) ++count;
        if (IsRegistryEntry(*e)) (outcome.done ? regFilesDone : regFilesLeft).insert(e->stored);
        if (outcome.done) continue;
        left.insert(left.begin(), *e);
        if (outcome.partial) left.front().complete = false;
    }
    for (const std::string& name : regFilesDone)
        if (!regFilesLeft.count(name)) Drop(backup, name);
    if (!left.empty()) {
        RewriteManifest(backup.path(), left);
        return count;
    }
    Drop(backup, kManifestName);
    Drop(backup, kListName);
    const base::OpenFolder emptied = base::OpenFolder::Root(backup.path().c_str(), true);
    emptied.RemoveSelf(base::Attributes::kNormal);  // stays when something else is in it
    return count;
}

}  // namespace backup
