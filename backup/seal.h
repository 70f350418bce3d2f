// The seal of a backup: a keyed digest (HMAC-SHA-256) of its manifest, which
// names the digest of every file the backup keeps, so that a user who may
// write the backup folder (a portable installation, a folder that lets users
// create files) cannot change what a restore puts back, or where.
//
// The key is 32 random bytes made once per machine and kept in HKLM beside
// the version record, in a key that only administrators and SYSTEM may read
// or write. Where the system has no key security (the 9x family) the key is
// kept there all the same; a process that may not read or make it (a limited
// user on the NT family) cannot seal, and a backup it makes stays unsealed,
// which no restore accepts.
#pragma once
#include <string>

#include "backup/backup_folder.h"

namespace backup {

// The file beside the manifest that holds its seal.
inline constexpr char kSealName[] = "backup.seal";

// The seal of text, as lower-case hexadecimal. With make the key is made
// when the machine has none yet. False when there is no key to use: it
// cannot be read or made, or its key's security lets others than
// administrators and SYSTEM read or change it.
bool SealOf(const std::string& text, bool make, std::string* seal);

// True when seal is the seal of text under the machine's key.
bool SealChecks(const std::string& text, const std::string& seal);

// The seal kept in folder (its first line).
FileRead ReadSeal(const base::OpenFolder& folder, std::string* seal);

}  // namespace backup
