// A cure's backup folder and the two lists in it:
//
//   backup.lst  what a restore reads: a heading line, then one line per kept
//               item in the order of removal (tab-separated fields; control
//               characters and "%" written as "%XX")
//   backup.txt  the same list for people: each item, its original place and
//               the adware record it belonged to (code page 949, CRLF)
//
// beside the kept items themselves: files ("0001_name.ext.bak"), folders
// ("0002_name", every file inside ending in ".bak" too) and REGEDIT4 files
// ("0003.reg") for registry keys, values and the settings a cure rewrote.
#pragma once
#include <string>
#include <vector>

namespace backup {

inline constexpr char kManifestName[] = "backup.lst";
inline constexpr char kListName[] = "backup.txt";
// Every kept file ends in it, so none can run from the backup.
inline constexpr char kKeptSuffix[] = ".bak";

enum class Kind { kFile, kFolder, kKey, kValue, kSetting };

struct Entry {
    Kind kind = Kind::kFile;
    bool view64 = false;       // the 64-bit half under WOW64: its registry view, or its real system folder
    bool realPlace = false;    // a file's or folder's place is where it really was, every link resolved
    bool complete = true;      // nothing of the item was left at its place
    bool valueAbsent = false;  // a setting whose value was not there before the cure
    bool keyAbsent = false;    // nor its key
    std::string place;         // a full path, or a key path "HKEY_...\subkey"
    std::string valueName;     // a value's or setting's name ("" for the default value)
    std::string stored;        // its name in the backup folder; the .reg file for the registry
    std::string record;        // the adware record it belonged to; for a setting, what rewrote it
};

// The entries of folder's manifest, in the order of removal. False when
// folder holds no manifest.
bool ReadManifest(const std::string& folder, std::vector<Entry>* entries);
// True when folder holds a backup: a manifest with at least one entry.
bool HoldsBackup(const std::string& folder);
// Appends one entry to both lists, making each with its heading when new.
bool AppendEntry(const std::string& folder, const Entry& entry);
// Writes both lists anew with entries.
bool RewriteManifest(const std::string& folder, const std::vector<Entry>& entries);

}  // namespace backup
