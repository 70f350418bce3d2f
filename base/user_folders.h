// The folders the system names for one user's own files (the temporary
// folder, cookies, the browser's cache, recent documents, history), opened
// for a cleaner that empties them. Their names come from places the user,
// and any program running as the user, may write (TMP and TEMP in
// HKCU\Environment, "User Shell Folders"), so a name proves nothing: the
// folder is opened once, judged on that handle, and the cleaner walks from
// exactly the folder judged (base/deletion.h).
#pragma once
#include <string>
#include <vector>

#include "base/deletion.h"

namespace base {

// Where a user's own folders may lie.
struct UserFolderBounds {
    // The user's profile as the system keeps it for this process's user
    // (userenv by the process's token, else the shell); on the 9x family the
    // profile list's entry for the user, "" where there is none.
    std::string profile;
    // The system's own folders for such files, named only by what just the
    // system's administrators may change: the Windows folder's "Temp",
    // "History", "Cookies", "Recent" and "Temporary Internet Files" (the 9x
    // family keeps a user's folders there), and the machine's TEMP and TMP.
    std::vector<std::string> systemFolders;
};
UserFolderBounds ReadUserFolderBounds();

// Why a folder is not emptied.
enum class UserFolderRefusal {
    kNone,
    kAbsent,     // nothing of that name, or no folder: nothing to empty
    kLink,       // it is a link, or a folder on its way down from the profile is
    kProtected,  // it is, or contains, a protected location (base/protected_locations.h)
    kOutside,    // neither inside the user's profile nor one of the system's own folders
};

// Opens folder for emptying it. A folder that lies inside bounds.profile (by
// its full, long spelling; the profile itself excluded) is reached from the
// profile one folder at a time, never through a link; any other must be, by
// identity (on the 9x family by its spelling), one of bounds.systemFolders.
// Either way it must not be, nor contain, a protected location, judged on the
// handle returned. !ok() otherwise, with *refusal saying why.
OpenFolder OpenUserFolder(const char* folder, const UserFolderBounds& bounds, UserFolderRefusal* refusal);

}  // namespace base
