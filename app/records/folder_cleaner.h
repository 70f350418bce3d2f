// Emptying the history and recent-document folders. The walk never enters a
// link: a junction or a symbolic link to a folder is removed as a link, and
// whatever it points to is left alone.
#pragma once
#include <windows.h>

namespace records {

// Deletes everything inside folder; the folder itself stays. Entries named
// "desktop.ini" (any letter case) are kept unless deleteDesktopIni, also in
// subfolders, which then stay with them. With wipeIndexFile every file named
// "index.dat" (any letter case) is wiped by WipeIndexFile before it is deleted.
// Read-only entries lose that attribute first. Subfolders are emptied the same
// way and removed; a link is removed as a link and never entered. Entries
// whose full path does not fit 260 characters are skipped; a file or folder
// that cannot be deleted stays without notice.
// False, with nothing touched, when folder cannot be searched or is itself a
// link; true otherwise, whatever single deletions met.
bool CleanFolder(const char* folder, bool deleteDesktopIni, bool wipeIndexFile);

// Overwrites folder\name with zero bytes from offset 64 to its end, in pieces
// of at most 10,000 bytes; its size and first 64 bytes stay. A file of 64
// bytes or less is left as it is. The file is opened only when it exists, and
// shared for reading and writing, so one that the system holds open is wiped
// too. False when it cannot be opened or a write fails.
bool WipeIndexFile(const char* folder, const char* name);

}  // namespace records
