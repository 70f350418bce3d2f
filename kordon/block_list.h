// The block list held by the library: the records handed out to callers, the
// origin flags the database keeps for each, and the file they came from.
#pragma once
#include <stdint.h>

#include <string>
#include <unordered_map>
#include <vector>

#include "kordon/kill_bit.h"
#include "kordon/kordon.h"

namespace kordon {

class BlockList {
public:
    // The exports, one to one (see kordon.h for each contract).
    int Load(const char* path);
    ActiveXBlockRecord* First();
    int Count() const { return static_cast<int>(entries_.size()); }
    int KillbitCount();
    int Lock(const char* clsid);
    int Unlock(const char* clsid);
    int Add(const ActiveXBlockRecord* record);
    int Edit(const char* oldClsid, const ActiveXBlockRecord* record);
    int Delete(const ActiveXBlockRecord* record);
    int Save();
    int Unload();

private:
    struct Entry {
        ActiveXBlockRecord record;
        uint8_t origin;   // kadb origin flags: what the library made to block it
        KillBit machine;  // the kill bit as last read (record.blocked: set)
    };

    // The records of every entry whose CLSID matches (letter case aside), in
    // their order.
    std::vector<Entry*> Matching(const std::string& clsid);
    // Builds byClsid_ anew; after every change to the records or their CLSIDs.
    void Reindex();
    bool LockClsid(const std::string& clsid);
    bool UnlockClsid(const std::string& clsid);
    void Relink();
    // Reads the entry's kill bit from the machine.
    static void Look(Entry& entry);
    // Whether every entry's kill bit, as last read, is still the machine's:
    // all were read since the watch was armed, nothing below the watched keys
    // changed since, and the library has changed nothing since. Only then
    // may a lock or unlock that would change nothing leave the registry alone.
    bool Known() const { return known_ && watch_.Unchanged(); }

    std::vector<Entry> entries_;
    // The positions in entries_ of the records of each CLSID, under its text
    // in upper case: finding a CLSID's records does not walk every record.
    std::unordered_map<std::string, std::vector<size_t>> byClsid_;
    std::string path_;       // full path of the database file
    bool loaded_ = false;    // a load was asked for and no unload since
    bool writable_ = false;  // saving may replace path_ (false for a foreign file)
    KillBitWatch watch_;
    bool known_ = false;     // see Known()
};

}  // namespace kordon
