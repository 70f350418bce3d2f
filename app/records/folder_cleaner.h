// Emptying the history and recent-document folders, through base/deletion.h:
// the walk starts at no link, never enters one (a link inside is removed as
// a link where the system can open the link itself), works by handle, and
// never empties a folder the system cannot do without.
#pragma once
#include <windows.h>

namespace records {

// Deletes everything inside folder; the folder itself stays. Entries named
// "desktop.ini" (any letter case) are kept unless deleteDesktopIni, also in
// subfolders, which then stay with them. With wipeIndexFile every file named
// "index.dat" (any letter case) is wiped as WipeIndexFile wipes it before it
// is deleted. Read-only entries lose that attribute first. Subfolders are
// emptied the same way and removed. A file or folder that cannot be deleted
// stays without notice.
// False, with nothing touched, when folder cannot be searched or is refused
// as base/user_folders.h refuses the folders of a user's own files: a link,
// reached through a link from the profile, neither inside the user's profile
// nor one of the system's own folders (the Windows folder's History, say), or
// a protected location or one that contains one (a "User Shell Folders" value
// set to the profile, the desktop, a drive root or the Windows folder must
// not empty it); true otherwise, whatever single deletions met.
bool CleanFolder(const char* folder, bool deleteDesktopIni, bool wipeIndexFile);

// Overwrites folder\name with zero bytes from offset 64 to its end, in pieces
// of at most 10,000 bytes; its size and first 64 bytes stay. A file of 64
// bytes or less is left as it is. The file is opened only when it exists, and
// shared for reading and writing, so one that the system holds open is wiped
// too. A file with more than one name (a hard link) is never written to: the
// other names' file would lose its content. False when it cannot be opened,
// has more than one name, or a write fails.
bool WipeIndexFile(const char* folder, const char* name);

}  // namespace records
