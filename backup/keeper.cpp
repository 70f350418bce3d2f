#include "backup/keeper.h"

#include <stdio.h>

#include "backup/kept_digest.h"
#include "backup/kept_settings.h"
#include "backup/reg_file.h"
#include "backup/seal.h"
#include "base/ansi_text.h"
#include "base/path_text.h"
#include "base/unique_handle.h"
#include "base/wow64.h"

namespace backup {

namespace {

constexpr size_t kLongestKeptName = 180;  // bytes of the original name a kept name takes over

std::string Numbered(int number, const std::string& rest) {
    char stem[16];
    snprintf(stem, sizeof stem, "%04d", number);
    return stem + rest;
}

// The number a name in the backup folder begins with; 0 for none.
int NumberOf(const std::string& name) {
    int n = 0;
    for (char c : name) {
        if (c < '0' || c > '9' || n > 9999999) break;
        n = n * 10 + (c - '0');
    }
    return n;
}

// "NNNN_name" (a file's with ".bak"), or "NNNN" alone for a name that is
// long or lost characters to the ANSI code page.
std::string KeptName(int number, const std::string& name, bool isFile) {
    const bool usable = !name.empty() && name.size() <= kLongestKeptName && name.find('?') == std::string::npos;
    return Numbered(number, usable ? "_" + name : std::string()) + (isFile ? kKeptSuffix : "");
}

// path, or a folder it lies in, is the folder of that identity (by path
// where the system gives no identities).
bool InOrIs(std::string path, const base::FileIdentity& folder, const std::string& folderPath) {
    if (!folder.Known())
        return base::StartsWithNoCase(path.c_str(), folderPath.c_str()) &&
               (path.size() == folderPath.size() || path[folderPath.size()] == '\\');
    for (;;) {
        if (base::SameIdentity(base::IdentityOf(path.c_str()), folder)) return true;
        const size_t at = base::LastSeparator(path);
        if (at == std::string::npos || at == 0 || at + 1 == path.size()) return false;
        path.resize(at == 2 ? 3 : at);  // "C:\\" is the last folder
    }
}

// The manifest entry of a registry key or value kept in the .reg file stored.
Entry RegistryEntry(Kind kind, bool view64, const std::string& place, const std::string& stored,
                    const std::string& record) {
    Entry entry;
    entry.kind = kind;
    entry.view64 = view64;
    entry.place = place;
    entry.stored = stored;
    entry.record = record;
    return entry;
}

}  // namespace

Keeper::Keeper(const std::string& folder) : folder_(OpenBackupFolder(folder, true)) {
    std::string manifest, seal, unused;
    const FileRead read = ReadManifest(folder_, &manifest, &entries_);
    const bool sealed = ReadSeal(folder_, &seal) == FileRead::kRead && SealChecks(manifest, seal);
    if (read == FileRead::kRefused || (read == FileRead::kRead && !sealed && SealOf(manifest, false, &unused))) {
        folder_ = base::OpenFolder();
        return;
    }
    std::vector<base::FolderEntry> entries;
    folder_.List(&entries);
    for (const base::FolderEntry& entry : entries)
        if (NumberOf(entry.name) >= next_) next_ = NumberOf(entry.name) + 1;
}

bool Keeper::KeepFileOrFolder(base::HeldItem& item, bool view64, const std::string& record) {
    if (!ok() || item.reach() != base::Reach::kHeld) return false;
    // The backup cannot keep itself, nor a folder it lies in.
    if (InOrIs(item.path(), folder_.identity(), path()) ||
        (item.IsFolder() && InOrIs(path(), item.identity(), item.path())))
        return false;
    Entry entry;
    entry.kind = item.IsFolder() ? Kind::kFolder : Kind::kFile;
    entry.view64 = view64;
    entry.realPlace = item.RealPath(&entry.place);
    entry.record = record;
    entry.stored = KeptName(next_++, item.name(), !item.IsFolder());
    const base::FileNaming naming = {base::FileNaming::kAddSuffix, kKeptSuffix};
    const base::MoveOutcome moved = item.MoveInto(folder_, entry.stored, naming);
    if (!moved.arrived) return false;
    entry.complete = moved.complete;
    Append(entry);
    return moved.complete;
}

bool Keeper::KeepKey(const base::HeldKey& key, bool view64, const std::string& record,
                     const std::function<bool()>& remove) {
    if (!ok() || !key.ok()) return false;
    if (key.IsLink()) return remove();
    bool real = false;
    const std::string place = PlaceOf(key, &real);
    RegKeys before;
    std::string text, stored;
    if (!ReadKeyTree(key, place, &before) || !FormatRegFile(before, &text) || !WriteRegFile(text, &stored))
        return false;
    const bool removed = remove();
    Entry entry = RegistryEntry(Kind::kKey, view64 || (real && base::RunsUnderWow64()), place, stored, record);
    if (!removed) {
        // Whatever is left: the entry is kept only when some of it went.
        RegKeys after;
        std::string left;
        if (ReadKeyTree(key, place, &after) && FormatRegFile(after, &left) && left == text) {
            DropOwnFile(stored);
            return false;
        }
        entry.complete = false;  // the key itself is still there
    }
    Append(entry);
    return removed;
}

bool Keeper::KeepValue(const base::HeldKey& key, const std::string& name, bool view64, const std::string& record,
                       const std::function<bool()>& remove) {
    RegValue value;
    if (!ok() || !ReadOneValue(key, name, &value)) return false;
    if (value.absent) return remove();  // nothing to keep, and nothing to remove either
    bool real = false;
    const RegKeys keys = {RegKey{PlaceOf(key, &real), {value}}};
    std::string text, stored;
    if (!FormatRegFile(keys, &text) || !WriteRegFile(text, &stored)) return false;
    if (!remove()) {
        DropOwnFile(stored);
        return false;
    }
    Entry entry =
        RegistryEntry(Kind::kValue, view64 || (real && base::RunsUnderWow64()), keys.front().path, stored, record);
    entry.valueName = name;
    Append(entry);
    return true;
}

bool Keeper::KeepSettings(const std::vector<Setting>& settings, const std::string& record) {
    RegKeys keys;
    std::vector<Entry> entries;
    for (const Setting& setting : settings) {
        RegValue value;
        bool keyExists = false, real = false;
        if (!RootName(setting.root) || !IsKeptSetting(setting.root, setting.subkey, setting.name) ||
            !ReadOneValue(setting.root, setting.subkey, setting.name, 0, &value, &keyExists))
            continue;
        const std::string place = PlaceOf(setting.root, setting.subkey, 0, &real);
        if (keys.empty() || keys.back().path != place) keys.push_back(RegKey{place, {}});
        keys.back().values.push_back(value);
        Entry entry;
        entry.kind = Kind::kSetting;
        entry.view64 = real && base::RunsUnderWow64();
        entry.valueAbsent = value.absent;
        entry.keyAbsent = !keyExists;
        entry.place = place;
        entry.valueName = setting.name;
        entry.record = record;
        entries.push_back(entry);
    }
    std::string text, stored;
    if (!ok() || entries.empty() || !FormatRegFile(keys, &text) || !WriteRegFile(text, &stored)) return false;
    for (Entry& entry : entries) {
        entry.stored = stored;
        Append(entry);
    }
    return true;
}

bool Keeper::WriteRegFile(const std::string& text, std::string* stored) {
    for (int tries = 0; tries < 100; ++tries) {
        *stored = Numbered(next_++, ".reg");
        base::FolderEntry taken;
        if (folder_.Find(stored->c_str(), &taken)) continue;
        base::UniqueFile file = folder_.MakeFile(*stored);
        if (!file) return false;
        DWORD written = 0;
        if (WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
            written == text.size()) {
            written_[*stored] = DigestOfText(text);
            return true;
        }
        file.reset();
        DropOwnFile(*stored);
        return false;
    }
    return false;
}

void Keeper::DropOwnFile(const std::string& name) {
    base::FolderEntry entry;
    if (folder_.Find(name.c_str(), &entry)) folder_.DeleteEntry(entry, base::Attributes::kAsTheyAre);
}

void Keeper::Append(Entry entry) {
    const auto written = written_.find(entry.stored);
    entry.digest = written != written_.end() ? written->second : DigestOfStored(folder_, entry.stored);
    entries_.push_back(entry);
    AppendEntry(folder_, entry, ManifestText(entries_));
}

}  // namespace backup
