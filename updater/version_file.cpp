#include "updater/version_file.h"

#include <cctype>

namespace freshen {

const char kVersionFileName[] = "Purvex_Ver.txt";
const char kVersionFilePath[] = ".\\Purvex_Ver.txt";

void ReadServerVersion(const char* section, VersionText& out, const char* file) {
    GetPrivateProfileStringA(section, "VER", "", out, kVersionSize, file);
}

std::string ReadServerDigest(const char* section, const char* file) {
    char digest[130] = {};  // room for a digest with a little slack; longer never matches
    GetPrivateProfileStringA(section, "SHA256", "", digest, sizeof digest, file);
    std::string text(digest);
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

}  // namespace freshen
