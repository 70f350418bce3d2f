// Registry keys and values as REGEDIT4 text, the form regedit exports and
// merges on every Windows: the line "REGEDIT4", then each key in brackets
// with its values, in the ANSI code page (949 on Korean systems), CRLF.
// Values are kept exactly as the ANSI registry calls read them: a string
// that can stand between quotes does, every other value is written in hex
// with its type ("hex(2):" for REG_EXPAND_SZ and so on).
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "base/registry_links.h"

namespace backup {

struct RegValue {
    std::string name;      // "" is the key's default value ("@")
    DWORD type = REG_NONE;
    std::string data;      // as RegQueryValueExA gives it, terminators included
    bool absent = false;   // "name"=-: the value is not there
};
struct RegKey {
    std::string path;  // the root's full name, a backslash and the subkey
    std::vector<RegValue> values;
};
using RegKeys = std::vector<RegKey>;

// "HKEY_LOCAL_MACHINE" and the other four roots; NULL for another handle.
const char* RootName(HKEY root);
// The root a key path begins with, and the subkey after it ("" for the root
// itself); NULL when it names no root.
HKEY RootOf(const std::string& path, std::string* subkey);

// The file's text. False when a name holds a line break, which the format
// cannot carry.
bool FormatRegFile(const RegKeys& keys, std::string* text);
// Reads REGEDIT4 text (a file FormatRegFile wrote, or regedit's own
// export). False when it is no REGEDIT4 text or a line cannot be read.
bool ParseRegFile(const std::string& text, RegKeys* keys);

// Registry links (base/registry_links.h) are never followed here: a link
// holds no data of its own and is never made by a write.

// The key path ("HKEY_...\subkey") where the held key really is, or of the
// names it was reached by where the system cannot tell; *real tells which.
std::string PlaceOf(const base::HeldKey& key, bool* real);
// The same for root\subkey, which need not exist: where its deepest existing
// key really is, and the rest of subkey below it.
std::string PlaceOf(HKEY root, const std::string& subkey, REGSAM viewFlag, bool* real);

// Reads the held key and every key below it (parents first), the held key
// named path in keys. A link below it is left out, never entered; a held key
// that is a link gives no keys. False when a key or value cannot be read.
bool ReadKeyTree(const base::HeldKey& key, const std::string& path, RegKeys* keys);
// Reads one value of the held key; one that is not there comes back absent.
// False when it cannot be read, or the key is a link.
bool ReadOneValue(const base::HeldKey& key, const std::string& name, RegValue* value);
// The same for root\subkey, held as a database record's key is;
// *keyExists tells whether the key is there (a missing key's value is absent).
bool ReadOneValue(HKEY root, const std::string& subkey, const std::string& name, REGSAM viewFlag, RegValue* value,
                  bool* keyExists);

// Makes each key that is missing and writes its values (an absent one is
// deleted); onlyMissing leaves every value that is there as it is. Each key
// is reached from its root one key at a time (base::OpenKeyWay), a missing
// one made as a plain key: when a key on the way to any of them is a link,
// or opens under another name, nothing at all is written and *refused (when
// given) is set. *added counts the keys made and values written. False when
// a write failed or was refused.
bool WriteKeys(const RegKeys& keys, REGSAM viewFlag, bool onlyMissing, int* added, bool* refused = nullptr);

}  // namespace backup
