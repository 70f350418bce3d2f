// Removals left for the next start of Windows, which the system carries out by
// path before any program runs: on the NT family from the session manager's
// PendingFileRenameOperations (MoveFileEx with MOVEFILE_DELAY_UNTIL_REBOOT,
// administrators only), on the 9x family from the [rename] section of
// WININIT.INI ("NUL=" and the short path). The way follows the deletion
// layer's (base/deletion.h: WorksByHandle).
//
// Nothing here judges a path: the system follows whatever the path holds
// when it acts, so callers hand over only paths that nobody else can redirect
// until then (base/admin_folders.h).
#pragma once
#include <string>

namespace base {

// Whether this process may leave removals for the next start: on the NT
// family whether it may write the session manager's list; true on the 9x
// family.
bool CanScheduleAtRestart();

// Leaves the file, or the folder (NT family only; the system removes it only
// when it is empty by then), at the full path for the next start to remove.
// Removals run in the order they were left. False when the system did not
// take it; nothing is left then.
bool ScheduleRemovalAtRestart(const std::string& path);

// Whether the next start has yet to remove path: the session manager's list,
// or a "NUL=" line of WININIT.INI (by the short path), names it. Reads at most
// the first megabyte of either.
bool IsRemovalPending(const std::string& path);

}  // namespace base
