// The NT family's handle-relative file calls (ntdll), looked up by name: the
// 9x family has none of them. Used by base/deletion.cpp and by the
// updater's install step (updater/install.cpp), which moves files by handle.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace base {
namespace nt {

// True when ntdll offers every call below.
bool Available();

// Opens name, a single component, relative to the open folder parent, never
// following a reparse point at name (FILE_OPEN_REPARSE_POINT): on Windows a
// link opens as itself. options adds FILE_DIRECTORY_FILE or
// FILE_NON_DIRECTORY_FILE. INVALID_HANDLE_VALUE on failure, with *gone set
// when nothing of that name is there.
HANDLE OpenRelative(HANDLE parent, const std::wstring& name, ACCESS_MASK access, ULONG share, ULONG options,
                    bool* gone);

// One entry of a folder listing.
struct DirEntry {
    std::wstring name, shortName;
    DWORD attributes = 0;
    ULONGLONG fileId = 0;  // the file index; 0 where the system gives none (before XP)
};

// Every entry of the open folder but "." and "..", in the system's order.
// False when the folder cannot be listed.
bool ListFolder(HANDLE folder, std::vector<DirEntry>* entries);

// The file index and attributes of the open file or folder, without the
// volume's serial number (slow to read under Wine; a caller knows it from the
// folder the entry was opened in).
bool QueryIndex(HANDLE handle, ULONGLONG* index, DWORD* attributes);

// Marks the open file or folder for deletion when its last handle closes
// (FileDispositionInformation). False when the system refuses: a read-only
// file, a folder that is not empty, no delete access.
bool MarkForDeletion(HANDLE handle);

// The number of names (hard links) of the open file. False when the system
// cannot tell.
bool LinkCount(HANDLE handle, ULONG* links);

// Sets the attributes of the open file or folder, times unchanged.
bool SetAttributes(HANDLE handle, DWORD attributes);

// Creates name, a single component, in the open folder parent; never opens
// or replaces what is there already (*exists is then set). options as for
// OpenRelative; attributes those of the new file or folder.
// INVALID_HANDLE_VALUE on failure.
HANDLE CreateRelative(HANDLE parent, const std::wstring& name, ACCESS_MASK access, ULONG share, ULONG options,
                      DWORD attributes, bool* exists);

// Moves the open file or folder (opened with DELETE access) to name in the
// open folder destination (FileRenameInformation with destination as its
// root), never replacing what is there. The system refuses a move to
// another volume; Wine moves within one Unix file system whatever the drive
// letters, so callers compare volumes first.
bool MoveTo(HANDLE item, HANDLE destination, const std::wstring& name);

// Gives to the times and attributes of from (FileBasicInformation).
bool CopyTimesAndAttributes(HANDLE from, HANDLE to);

}  // namespace nt
}  // namespace base
