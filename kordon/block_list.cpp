#include "kordon/block_list.h"

#include <string.h>

#include "kordon/database_file.h"
#include "kordon/kadb_codec.h"
#include "kordon/kill_bit.h"

namespace kordon {

namespace {

// A caller's text, which must end within one field's size (strnlen reads
// no further than the terminator).
bool ReadText(const char* text, std::string* out) {
    if (text == nullptr) return false;
    const size_t length = strnlen(text, KORDON_TEXT_SIZE);
    if (length == KORDON_TEXT_SIZE) return false;
    out->assign(text, length);
    return true;
}

// The key of a CLSID in the index: its text in upper case, so that two CLSIDs
// have one key exactly when kadb::SameClsid holds.
std::string ClsidKey(const std::string& clsid) {
    std::string key = clsid;
    for (char& c : key)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return key;
}

// A caller's CLSID argument: terminated within a field and in registry form.
bool ReadClsid(const char* text, std::string* out) { return ReadText(text, out) && kadb::IsRegistryClsid(*out); }

void CopyField(char (&field)[KORDON_TEXT_SIZE], const std::string& text) {
    memset(field, 0, sizeof field);
    memcpy(field, text.data(), text.size() < sizeof field ? text.size() : sizeof field - 1);
}

// The three texts of a caller's record, the CLSID in registry form.
bool ReadRecord(const ActiveXBlockRecord* record, std::string* name, std::string* clsid, std::string* alternate) {
    return record != nullptr && ReadText(record->name, name) && ReadClsid(record->clsid, clsid) &&
           ReadText(record->alternateClsid, alternate);
}

}  // namespace

int BlockList::Load(const char* path) {
    Unload();
    if (path == nullptr) return 0;
    path_ = FullPath(path);
    loaded_ = true;

    std::vector<uint8_t> bytes;
    const FileRead read = ReadWholeFile(path_, &bytes);
    writable_ = read != FileRead::unreadable;
    if (read != FileRead::read) return 0;  // missing: empty, and a save creates it

    kadb::Database db;
    const kadb::DecodeResult result = kadb::Decode(bytes.data(), bytes.size(), &db);
    if (result == kadb::DecodeResult::foreign) {
        writable_ = false;  // never overwrite a file that is not ours
        return 0;
    }
    entries_.reserve(db.entries.size());
    for (const kadb::Entry& source : db.entries) {
        Entry entry = {};
        CopyField(entry.record.name, source.name);
        CopyField(entry.record.clsid, source.clsid);
        CopyField(entry.record.alternateClsid, source.alternateClsid);
        entry.origin = source.origin;
        entries_.push_back(entry);
    }
    Reindex();
    KillbitCount();  // the blocked bytes show what the machine really blocks
    return result == kadb::DecodeResult::whole ? 1 : 0;
}

ActiveXBlockRecord* BlockList::First() {
    Relink();
    return entries_.empty() ? nullptr : &entries_.front().record;
}

void BlockList::Look(Entry& entry) {
    const std::string clsid = entry.record.clsid;
    entry.machine = kadb::IsRegistryClsid(clsid) ? ReadKillBit(clsid) : KillBit::clear;
    entry.record.blocked = entry.machine == KillBit::set ? 1 : 0;
}

// The bits are read again only when the machine may have changed since they
// were last read.
int BlockList::KillbitCount() {
    if (!Known()) {
        known_ = watch_.Arm();  // before the reads: a change during them shows
        for (Entry& entry : entries_) Look(entry);
    }
    int count = 0;
    for (const Entry& entry : entries_) count += entry.record.blocked;
    return count;
}

std::vector<BlockList::Entry*> BlockList::Matching(const std::string& clsid) {
    std::vector<Entry*> found;
    const auto it = byClsid_.find(ClsidKey(clsid));
    if (it != byClsid_.end())
        for (size_t position : it->second) found.push_back(&entries_[position]);
    return found;
}

void BlockList::Reindex() {
    byClsid_.clear();
    for (size_t position = 0; position < entries_.size(); ++position)
        byClsid_[ClsidKey(entries_[position].record.clsid)].push_back(position);
}

bool BlockList::LockClsid(const std::string& clsid) {
    const std::vector<Entry*> found = Matching(clsid);
    if (found.empty()) return false;
    // Blocked in every view as the machine is now: nothing to change.
    if (Known() && found.front()->machine == KillBit::set) return true;
    known_ = false;
    uint8_t created = 0;
    const bool done = SetKillBit(clsid, &created);
    const uint8_t blocked = done || IsKillBitSet(clsid) ? 1 : 0;  // done: the bit is set
    for (Entry* entry : found) {
        entry->origin |= created;
        entry->record.blocked = blocked;
    }
    return done;
}

bool BlockList::UnlockClsid(const std::string& clsid) {
    const std::vector<Entry*> found = Matching(clsid);
    if (found.empty()) return false;
    uint8_t origin = 0;
    for (const Entry* entry : found) origin |= entry->origin;
    // Clear in every view as the machine is now, and nothing the library
    // made there to remove: nothing to change.
    if (Known() && found.front()->machine == KillBit::clear && origin == 0) return true;
    known_ = false;
    const bool done = ClearKillBit(clsid, origin);
    const uint8_t blocked = !done && IsKillBitSet(clsid) ? 1 : 0;  // done: the bit is clear
    for (Entry* entry : found) {
        if (done) entry->origin = 0;
        entry->record.blocked = blocked;
    }
    return done;
}

int BlockList::Lock(const char* clsid) {
    std::string text;
    return ReadClsid(clsid, &text) && LockClsid(text) ? 1 : 0;
}

int BlockList::Unlock(const char* clsid) {
    std::string text;
    return ReadClsid(clsid, &text) && UnlockClsid(text) ? 1 : 0;
}

int BlockList::Add(const ActiveXBlockRecord* record) {
    std::string name, clsid, alternate;
    if (!loaded_ || !ReadRecord(record, &name, &clsid, &alternate)) return 0;
    Entry entry = {};
    CopyField(entry.record.name, name);
    CopyField(entry.record.clsid, clsid);
    CopyField(entry.record.alternateClsid, alternate);
    Look(entry);
    entries_.push_back(entry);
    byClsid_[ClsidKey(entries_.back().record.clsid)].push_back(entries_.size() - 1);
    Relink();
    if (record->blocked) LockClsid(clsid);
    return 1;
}

int BlockList::Edit(const char* oldClsid, const ActiveXBlockRecord* record) {
    std::string old, name, clsid, alternate;
    if (!ReadText(oldClsid, &old) || !ReadRecord(record, &name, &clsid, &alternate)) return 0;
    std::vector<Entry*> found = Matching(old);
    if (found.empty()) return 0;
    Entry* entry = found.front();
    if (!kadb::SameClsid(old, clsid)) {
        // The old CLSID's block goes with it, unless another record keeps it.
        if (found.size() == 1 && kadb::IsRegistryClsid(old) && entry->record.blocked) UnlockClsid(old);
        entry->origin = 0;
        // The new CLSID may be another record's: share what was made for it.
        for (const Entry* other : Matching(clsid)) entry->origin |= other->origin;
    }
    CopyField(entry->record.name, name);
    CopyField(entry->record.clsid, clsid);
    CopyField(entry->record.alternateClsid, alternate);
    Reindex();
    Look(*entry);
    if (record->blocked) LockClsid(clsid);
    return 1;
}

int BlockList::Delete(const ActiveXBlockRecord* record) {
    std::string clsid;
    if (record == nullptr || !ReadText(record->clsid, &clsid)) return 0;
    for (auto it = entries_.begin(); it != entries_.end(); ++it) {
        if (!kadb::SameClsid(it->record.clsid, clsid)) continue;
        entries_.erase(it);
        Reindex();
        Relink();
        return 1;
    }
    return 0;
}

int BlockList::Save() {
    if (!loaded_ || !writable_) return 0;
    kadb::Database db;
    db.entries.reserve(entries_.size());
    for (const Entry& entry : entries_) {
        kadb::Entry out;
        out.name = entry.record.name;
        out.clsid = entry.record.clsid;
        out.alternateClsid = entry.record.alternateClsid;
        out.origin = entry.origin;
        db.entries.push_back(std::move(out));
    }
    std::vector<uint8_t> bytes;
    if (kadb::Encode(db, &bytes) != kadb::EncodeError::none) return 0;
    return ReplaceFileContents(path_, bytes) ? 1 : 0;
}

int BlockList::Unload() {
    const bool was = loaded_;
    entries_.clear();
    entries_.shrink_to_fit();
    byClsid_.clear();
    path_.clear();
    loaded_ = false;
    writable_ = false;
    watch_.Stop();
    known_ = false;
    return was ? 1 : 0;
}

void BlockList::Relink() {
    for (size_t i = 0; i < entries_.size(); ++i)
        entries_[i].record.next = i + 1 < entries_.size() ? &entries_[i + 1].record : nullptr;
}

}  // namespace kordon
