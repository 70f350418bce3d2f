// Items a cure left for the next start of Windows, and what the program finds
// of them when it starts after that. A cure whose table goes into a pass's
// report lists in that pass folder (restart.lst) each item it left; at its
// next start the program writes into the report whether each is gone.
//
// The list lies in the log folder, which users may be able to write: the
// check only reads it (at most kListBytes, at most kListEntries items) to
// write those lines into the report, and never deletes or moves anything
// because of what it says.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "app/cure/scan_log.h"

namespace cure {

inline constexpr char kRestartListName[] = "restart.lst";
inline constexpr size_t kListBytes = 64 * 1024;
inline constexpr size_t kListEntries = 256;
inline constexpr int kCheckedFolders = 20;  // the newest pass folders looked at

// Appends the notes of items left for the restart to folder's list, made
// with its heading when new. False when it cannot be written.
bool AppendRestartList(const std::string& folder, const std::vector<ItemNote>& notes);

// Looks at the lists of the newest kCheckedFolders pass folders under root.
// A list whose items are no longer waiting for the next start of Windows
// (each has left the system's list of removals) gets, in its pass's
// report.txt, a heading with the time now and one line per item, "재부팅 후
// 삭제됨" or "재부팅 후에도 남아 있음", and is marked as checked; a list whose
// items still wait stays for a later start. Returns the number of lists
// checked.
int CheckRestartLists(const std::string& root, const SYSTEMTIME& now);

}  // namespace cure
