// The readable source of Kordon.adb: one control per line,
//
//   control "<CLSID>" "<name>" ["<alternate CLSID>"]
//
// `#` starts a comment outside quotes; a doubled `""` inside quotes is one
// quote character. CLSIDs are in registry form and stored in upper case; a
// name has 1 to 39 bytes; no CLSID appears twice. Compiled databases carry no
// origin flags.
#pragma once
#include <string>

#include "kordon/kadb_codec.h"

namespace kadb {

struct SourceError {
    int line = 0;
    std::string message;
};

// Parses the whole source into *out. On failure *out is empty and *error
// names the first bad line.
bool ParseBlockListSource(const std::string& text, Database* out, SourceError* error);

// Writes a database back as source; origin flags appear as comments, and a
// text the source cannot hold (a line break) is written as far as it goes.
std::string FormatBlockListSource(const Database& db);

}  // namespace kadb
