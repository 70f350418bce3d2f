#include "backup/restore.h"

#include <windows.h>

#include <map>
#include <set>
#include <vector>

#include "backup/kept_digest.h"
#include "backup/kept_settings.h"
#include "backup/manifest.h"
#include "backup/reg_file.h"
#include "backup/seal.h"
#include "base/ansi_text.h"
#include "base/deletion.h"
#include "base/path_text.h"
#include "base/protected_locations.h"
#include "base/registry_links.h"
#include "base/unique_handle.h"
#include "base/wow64.h"

namespace backup {

namespace {

// The largest REGEDIT4 file a restore reads (a key tree's values in hex).
constexpr size_t kLongestRegFile = 32u << 20;

// How putting back one entry ended.
struct Outcome {
    bool done = false;     // nothing of it is left in the backup: the entry goes
    bool counted = false;  // a database item came back
    bool partial = false;  // some of it came back, some is left
    bool refused = false;  // its place is none a restore writes to: it stays
};

using RegTexts = std::map<std::string, std::string>;  // the checked REGEDIT4 files, by name

bool IsRegistryEntry(const Entry& e) { return e.kind == Kind::kKey || e.kind == Kind::kValue || e.kind == Kind::kSetting; }

bool IsOwnList(const std::string& name) {
    for (const char* list : {kManifestName, kListName, kSealName})
        if (base::EqualsNoCase(name.c_str(), list)) return true;
    return false;
}

// name in folder is absent, or a plain file of one name that is no link.
bool OwnFileOrAbsent(const base::OpenFolder& folder, const char* name) {
    base::FolderEntry entry;
    return !folder.Find(name, &entry) || static_cast<bool>(folder.OpenToRead(entry));
}

// Every stored item is as the manifest's digest of it says (or gone); the
// REGEDIT4 files' texts come back in *texts.
bool StoredAsListed(const base::OpenFolder& backup, const std::vector<Entry>& entries, RegTexts* texts) {
    for (const Entry& e : entries) {
        base::FolderEntry stored;
        if (!backup.Find(e.stored.c_str(), &stored)) continue;  // taken out by hand: nothing to put back
        if (!IsRegistryEntry(e)) {
            if (DigestOfStored(backup, e.stored) != e.digest) return false;
            continue;
        }
        std::string text;
        if (ReadOwnFile(backup, e.stored, kLongestRegFile, &text) != FileRead::kRead || DigestOfText(text) != e.digest)
            return false;
        (*texts)[e.stored] = text;
    }
    return true;
}

// The whole backup's check; 0 when it may be put back.
int CheckBackup(const base::OpenFolder& backup, const std::string& manifest, const std::vector<Entry>& entries,
                RegTexts* texts) {
    std::string seal, unused;
    const FileRead sealRead = ReadSeal(backup, &seal);
    if (sealRead == FileRead::kRefused || !OwnFileOrAbsent(backup, kListName)) return kRefusedBackup;
    if (sealRead == FileRead::kAbsent || !SealOf(manifest, false, &unused)) return kUncheckedBackup;
    if (!SealChecks(manifest, seal) || !StoredAsListed(backup, entries, texts)) return kRefusedBackup;
    return 0;
}

// True when e's place is one a deletion would refuse, or no place a cure
// changes at all.
bool Refuses(const Entry& e) {
    if (IsOwnList(e.stored)) return true;
    if (!IsRegistryEntry(e))  // as a cure judges its file and folder items
        return base::IsDeviceOrNetworkPath(e.place.c_str()) ||
               (e.kind == Kind::kFolder ? base::IsProtectedFolder(e.place.c_str())
                                        : base::IsProtectedFile(e.place.c_str()));
    std::string subkey;
    const HKEY root = RootOf(e.place, &subkey);
    if (!root) return true;
    switch (e.kind) {
    case Kind::kKey: return subkey.empty() || base::IsProtectedKey(root, subkey.c_str());
    case Kind::kValue: return base::IsProtectedValue(root, subkey.c_str(), e.valueName.c_str());
    default:
        return !IsKeptSetting(root, subkey, e.valueName) ||
               base::IsProtectedValue(root, subkey.c_str(), e.valueName.c_str());
    }
}

// The open file's index (its identity within its folder's volume); 0 where
// the system gives none. Wine does not always give a file's volume serial.
ULONGLONG IndexOfOpen(HANDLE file) {
    BY_HANDLE_FILE_INFORMATION info;
    return GetFileInformationByHandle(file, &info)
               ? (static_cast<ULONGLONG>(info.nFileIndexHigh) << 32) | info.nFileIndexLow
               : 0;
}

Outcome PutBackFileOrFolder(const base::OpenFolder& backup, const Entry& e) {
    Outcome outcome;
    base::FileRedirectionOff redirection(e.view64 || e.realPlace);
    base::FolderEntry stored;
    if (!backup.Find(e.stored.c_str(), &stored)) {
        outcome.done = true;  // nothing left to put back (taken out by hand)
        return outcome;
    }
    const size_t separator = base::LastSeparator(e.place);
    if (Refuses(e) || separator == std::string::npos || separator + 1 >= e.place.size()) {
        outcome.refused = true;
        return outcome;
    }
    // A file is held open against writers from its check to its move, which
    // must find that very file (the 9x family moves by path, which needs the
    // file closed: there it is only checked).
    base::UniqueFile pinned = e.kind == Kind::kFile ? backup.OpenToRead(stored) : base::UniqueFile();
    base::HeldItem held = base::HoldEntry(backup.Duplicate(), stored);
    if (e.kind == Kind::kFile &&
        (!pinned || DigestOfOpenFile(pinned.get()) != e.digest ||
         (held.identity().Known() && IndexOfOpen(pinned.get()) != held.identity().index)))
        return outcome;
    if (!held.identity().Known()) pinned.reset();
    const std::string name = e.place.substr(separator + 1);
    const base::OpenFolder parent = base::OpenFolder::MadeWay(e.place.substr(0, separator == 2 ? 3 : separator).c_str());
    base::FolderEntry there;
    if (!parent.ok() || parent.Find(name.c_str(), &there)) return outcome;  // never over what is there
    const base::FileNaming naming = {base::FileNaming::kDropSuffix, kKeptSuffix};
    const base::MoveOutcome moved = held.MoveInto(parent, name, naming);
    outcome.done = moved.complete;
    outcome.counted = moved.arrived;
    outcome.partial = moved.arrived && !moved.complete;
    return outcome;
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

// The sections of a key's REGEDIT4 file that are the key itself or below
// it, without "-" values (a restore deletes none).
RegKeys OwnSections(const RegKeys& keys, const std::string& place) {
    RegKeys own;
    for (const RegKey& key : keys) {
        const bool below = key.path.size() > place.size() && key.path[place.size()] == '\\' &&
                           base::EqualsNoCaseN(key.path.c_str(), place.c_str(), place.size());
        if (!below && !base::EqualsNoCase(key.path.c_str(), place.c_str())) continue;
        own.push_back(RegKey{key.path, {}});
        for (const RegValue& value : key.values)
            if (!value.absent) own.back().values.push_back(value);
    }
    return own;
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

Outcome PutBackRegistryItem(const RegTexts& texts, const Entry& e) {
    Outcome outcome;
    std::string subkey;
    RegKeys keys;
    const auto text = texts.find(e.stored);
    if (text == texts.end()) {
        outcome.done = true;  // nothing left to put back
        return outcome;
    }
    if (Refuses(e)) {
        outcome.refused = true;
        return outcome;
    }
    const HKEY root = RootOf(e.place, &subkey);
    if (!ParseRegFile(text->second, &keys) || keys.empty()) return outcome;
    const REGSAM view = e.view64 ? base::Registry64View() : 0;
    int added = 0;
    RegKey only;
    switch (e.kind) {
    case Kind::kKey: {
        // A key the cure could not remove whole gets back what it lost.
        const bool there = KeyExists(root, subkey, view);
        bool refused = false;  // a link on the way: the entry stays in the backup
        if (there && e.complete) return outcome;
        WriteKeys(OwnSections(keys, e.place), view, true, &added, &refused);
        if (refused) return outcome;
        outcome.counted = !there || added > 0;
        break;
    }
    case Kind::kValue: {
        bool refused = false;
        if (!FindValue(keys, e, &only) || only.values[0].absent || ValueExists(root, subkey, e.valueName, view))
            return outcome;
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
    const base::OpenFolder backup = OpenBackupFolder(folder, false);
    if (!backup.ok()) return GetFileAttributesA(folder.c_str()) == INVALID_FILE_ATTRIBUTES ? kNoBackup : kRefusedBackup;
    std::string manifest;
    std::vector<Entry> entries;
    const FileRead read = ReadManifest(backup, &manifest, &entries);
    if (read == FileRead::kRefused) return kRefusedBackup;
    if (read == FileRead::kAbsent || entries.empty()) return kNoBackup;
    RegTexts texts;
    if (const int refusal = CheckBackup(backup, manifest, entries, &texts)) return refusal;

    int count = 0;
    std::vector<Entry> left;
    std::set<std::string> regFilesDone, regFilesLeft;
    for (auto e = entries.rbegin(); e != entries.rend(); ++e) {
        const Outcome outcome = IsRegistryEntry(*e) ? PutBackRegistryItem(texts, *e) : PutBackFileOrFolder(backup, *e);
        if (outcome.counted && e->kind != Kind::kSetting) ++count;
        if (IsRegistryEntry(*e)) (outcome.done ? regFilesDone : regFilesLeft).insert(e->stored);
        if (outcome.done) continue;
        left.insert(left.begin(), *e);
        left.front().refused = outcome.refused;
        if (!outcome.partial) continue;
        left.front().complete = false;
        left.front().digest = DigestOfStored(backup, e->stored);  // what is left of it
    }
    for (const std::string& name : regFilesDone)
        if (!regFilesLeft.count(name)) Drop(backup, name);
    if (!left.empty()) {
        RewriteLists(backup, left);
        return count;
    }
    Drop(backup, kManifestName);
    Drop(backup, kSealName);
    Drop(backup, kListName);
    const base::OpenFolder emptied = base::OpenFolder::Root(backup.path().c_str(), true);
    emptied.RemoveSelf(base::Attributes::kNormal);  // stays when something else is in it
    return count;
}

}  // namespace backup
