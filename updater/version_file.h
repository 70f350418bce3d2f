// The names of the version file and its signature on the server, beside the
// six files (signed_version_file.h tells what they hold). Both are read into
// memory; the version file's name in the current folder is only a leftover
// that clean-up removes.
#pragma once

namespace freshen {

extern const char kVersionFileName[];    // "Purvex_Ver.txt", on the server and in the current folder
extern const char kVersionFilePath[];    // ".\Purvex_Ver.txt"
extern const char kSignatureFileName[];  // "Purvex_Ver.sig", on the server

}  // namespace freshen
