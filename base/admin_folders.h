// Folders that only administrators and the system may change. A removal left
// for the next start of Windows is handed to the system by path, and the
// system carries it out early in that start, following whatever the path then
// holds: a path is handed over only when nobody else can change a folder on
// its way before then (base/restart_schedule.h), or when it lies in the
// program's own pending folder, which is made so.
#pragma once
#include <string>

#include "base/deletion.h"

namespace base {

enum class FolderTrust {
    kAdminsOnly,       // only trusted accounts may change it
    kOthersMayChange,  // someone else may, or it has no security at all (FAT)
    kLink,             // it is a link, or no folder
};

// Judges every folder of the full path of a folder on a drive ("X:\..."),
// from the drive root down to the folder itself, on the NT family. Each must
// be no link, be owned by a trusted account, and allow no one else to add,
// remove or rename what is in it, nor to remove it, nor to change its
// security. The drive root may let anyone add entries (the system's drive
// roots do): that changes no entry already there. Trusted accounts are
// Administrators, LocalSystem, TrustedInstaller, CREATOR OWNER where the
// owner is trusted, and the user of this process when it is an administrator
// whose account has no lesser token (no split token of user account
// control), since then every program of that user is one. Entries that only
// pass on to what is made inside are not the folder's own and do not count.
// The 9x family has neither links nor access lists: kAdminsOnly there.
FolderTrust JudgeFolderChain(const std::string& folder);

// The program's own pending folder, "PurvexPending" at the root of the drive
// of path: made for administrators and the system alone when absent, and used
// only while it and the drive root pass JudgeFolderChain (a folder of that
// name made by someone else is never used). !ok() otherwise, and always on
// the 9x family.
OpenFolder OpenPendingFolder(const std::string& path);

}  // namespace base
