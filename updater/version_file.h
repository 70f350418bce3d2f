// The version file "Purvex_Ver.txt" fetched from the update server: profile
// text with one section per file, key "VER" for the server's version and an
// optional key "SHA256" with the file's digest in hexadecimal.
#pragma once
#include <string>
#include "updater/version_record.h"

namespace freshen {

extern const char kVersionFileName[];  // "Purvex_Ver.txt", on the server and in the current folder
extern const char kVersionFilePath[];  // ".\Purvex_Ver.txt"

// At most 19 characters of the section's "VER"; empty when the file, the
// section or the key is missing.
void ReadServerVersion(const char* section, VersionText& out, const char* file = kVersionFilePath);

// The section's "SHA256" in lower case; empty when not given.
std::string ReadServerDigest(const char* section, const char* file = kVersionFilePath);

}  // namespace freshen
