// The version file "Purvex_Ver.txt" and its detached signature
// "Purvex_Ver.sig", checked and read from memory (no Windows headers).
//
// The file is profile text: sections "[NAME]", lines "KEY=VALUE", names
// compared without regard to ASCII case, surrounding blanks and one pair of
// matching quotes around a value dropped, lines starting with ';' ignored; of
// two equal section or key names the first counts. A section of a file it
// names carries VER (the file's version on the server, at most 19 characters
// used), SHA256 (the file's digest, 64 hexadecimal digits) and SIZE (its
// length in bytes); section UPDATE carries SERIAL (1 to 4294967295, never
// lower than the serial last accepted) and EXPIRES (the last UTC day on which
// the file is good, YYYY-MM-DD).
#pragma once
#include <stddef.h>
#include <stdint.h>

#include <string>
#include <vector>

#include "updater/verify/rsa_signature.h"

namespace freshen {

constexpr size_t kMaxVersionFileSize = 64 * 1024;
constexpr size_t kMaxVersionLength = 19;
constexpr uint32_t kMaxAnnouncedSize = 0x7FFFFFFF;

struct UtcDate {
    int year = 0, month = 0, day = 0;
};
bool operator<(const UtcDate& a, const UtcDate& b);

// What the version file says of one file it may name.
struct Announcement {
    bool present = false;   // the file has the section
    std::string version;    // at most kMaxVersionLength bytes; empty without VER
    std::string sha256Hex;  // lower case
    uint32_t size = 0;
};

struct VersionFile {
    std::vector<Announcement> files;  // one per section asked for, in that order
    uint32_t serial = 0;
    UtcDate expires;
};

// Reads text for the count sections named. False when a present one of them
// lacks a well-formed SHA256 or SIZE (at most kMaxAnnouncedSize), or section
// UPDATE lacks a well-formed SERIAL or EXPIRES (a real date).
bool ParseVersionFile(const std::string& text, const char* const* sections, int count, VersionFile& out);

enum class Verdict {
    kAccepted,
    kNoSignature,   // no signature was fetched
    kBadSignature,  // it does not verify over the exact bytes of the file
    kIncomplete,    // a required key is missing or malformed
    kOlderSerial,   // SERIAL is below the last accepted one
    kExpired,       // today (UTC) is after EXPIRES
};

// Checks, in this order, that signature is there (null: not fetched), that it
// verifies over text with the key whose modulus is given, that the file
// parses, that its serial is not below lastSerial and that today is not
// after its EXPIRES day. out is filled only when the file is accepted.
Verdict CheckVersionFile(const std::string& text, const std::string* signature, const uint8_t modulus[kRsaBytes],
                         uint32_t lastSerial, const UtcDate& today, const char* const* sections, int count,
                         VersionFile& out);

}  // namespace freshen
