// A cure's backup folder (backup/backup_folder.h) and the lists in it:
//
//   backup.lst   what a restore reads: a heading line, then one line per kept
//                item in the order of removal (tab-separated fields; control
//                characters and "%" written as "%XX"), each with the digest
//                (SHA-256) of what the backup keeps of it
//   backup.seal  the keyed digest of backup.lst (backup/seal.h)
//   backup.txt   the same list for people: each item, its original place and
//                the adware record it belonged to (code page 949, CRLF;
//                control characters written as "%XX", so that no name can
//                begin a line of its own)
//
// beside the kept items themselves: files ("0001_name.ext.bak"), folders
// ("0002_name", every file inside ending in ".bak" too) and REGEDIT4 files
// ("0003.reg") for registry keys, values and the settings a cure rewrote.
#pragma once
#include <string>
#include <vector>

#include "backup/backup_folder.h"

namespace backup {

inline constexpr char kManifestName[] = "backup.lst";
inline constexpr char kListName[] = "backup.txt";
// Every kept file ends in it, so none can run from the backup.
inline constexpr char kKeptSuffix[] = ".bak";
// The longest manifest a backup may have (a line is a few hundred bytes).
inline constexpr size_t kLongestManifest = 4u << 20;

enum class Kind { kFile, kFolder, kKey, kValue, kSetting };

struct Entry {
    Kind kind = Kind::kFile;
    bool view64 = false;       // the 64-bit half under WOW64: its registry view, or its real system folder
    bool realPlace = false;    // a file's or folder's place is where it really was, every link resolved
    bool complete = true;      // nothing of the item was left at its place
    bool valueAbsent = false;  // a setting whose value was not there before the cure
    bool keyAbsent = false;    // nor its key
    bool refused = false;      // a restore refused to put it back (a protected place, no setting of a cure)
    std::string place;         // a full path, or a key path "HKEY_...\subkey"
    std::string valueName;     // a value's or setting's name ("" for the default value)
    std::string stored;        // its name in the backup folder; the .reg file for the registry
    std::string record;        // the adware record it belonged to; for a setting, what rewrote it
    std::string digest;        // of what is stored (backup/kept_digest.h)
};

// The manifest's text for entries, heading first.
std::string ManifestText(const std::vector<Entry>& entries);
// The entries of a manifest's text, in the order of removal. False when the
// text is no manifest.
bool ParseManifest(const std::string& text, std::vector<Entry>* entries);
// Reads folder's manifest (at most kLongestManifest bytes) as *text and
// *entries. kAbsent when there is none.
FileRead ReadManifest(const base::OpenFolder& folder, std::string* text, std::vector<Entry>* entries);

// Appends one entry: the line to backup.lst (made with its heading when
// new) and its block to backup.txt. manifest is the whole manifest text with
// the line, as the caller made it, which is sealed (not read back). False
// when backup.lst could not be written.
bool AppendEntry(const base::OpenFolder& folder, const Entry& entry, const std::string& manifest);
// Writes both lists and the seal anew with entries.
bool RewriteLists(const base::OpenFolder& folder, const std::vector<Entry>& entries);

// True when the backup folder at folder (a path as the pages know it) holds
// a backup: a manifest with at least one entry.
bool HoldsBackup(const std::string& folder);

}  // namespace backup
