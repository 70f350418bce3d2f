// The install step of an update, the folder it works in, and removing what
// an update leaves behind.
#pragma once
#include <windows.h>

#include <vector>

#include "base/unique_handle.h"
#include "updater/download.h"

namespace freshen {

// ".\temp", the folder of one update: what an earlier run left there goes
// first (RemoveLeftovers), then the folder is made anew and, on the NT
// family, held open without delete sharing while this object lives, so that
// nobody can rename or replace it meanwhile and every path into it means
// this very folder. Downloads land in it under their server names; the
// installed files they replace are kept in its folder "old" until it goes.
class WorkFolder {
public:
    WorkFolder();
    // False when ".\temp" could not be cleared or made: nothing of the
    // update may go on.
    bool ok() const { return ok_; }

    // Makes ".\temp\<name>" for a download, held open for reading and
    // writing: others may read it, but nobody else can write, rename or
    // remove it while it is held. Invalid when something of that name is
    // there already or it cannot be made.
    base::UniqueFile MakeFile(const char* name) const;

    // NT family: the folder and the installation folder held open (the
    // destinations of moves by handle); INVALID_HANDLE_VALUE elsewhere.
    HANDLE handle() const { return folder_.get(); }
    HANDLE installation() const { return installation_.get(); }

private:
    bool ok_ = false;
    base::UniqueFile folder_;        // NT family: ".\temp"
    base::UniqueFile installation_;  // NT family: ".", where files are moved in
};

// One fetched file waiting to be installed.
struct StagedFile {
    int item = 0;           // its number in the file table
    base::UniqueFile file;  // held open since it was made
    ExpectedFile expected;  // as the version file announces it
};

enum class InstallStatus {
    kInstalled,    // every staged file is in place
    kChanged,      // a staged file is no longer as announced: nothing was touched
    kNotReplaced,  // a file could not be put in place: every file is as it was
    kNotRestored,  // after such a failure, this file could not be put back
};

struct InstallOutcome {
    InstallStatus status = InstallStatus::kInstalled;
    int item = 0;  // the file concerned, unless kInstalled
};

// Installs every staged file as one step:
//  1. each file's length and digest are checked again, read through the
//     handle held since it was made (kChanged when one differs);
//  2. in the install order, the installed file is moved into ".\temp\old",
//     and the new one moved by its handle into its place (the 9x family has
//     no moves by handle: there by name);
//  3. when a file cannot be moved aside or into place (in use without
//     sharing, no access), every file already replaced goes back: the new one
//     into ".\temp", the very file it replaced into its place again
//     (kNotReplaced names the file that failed; kNotRestored one that could
//     not be put back, after which the installation is mixed).
// A missing installed file is simply added. The replaced files stay in
// ".\temp\old" until the folder is removed; staged files stay held.
InstallOutcome InstallStaged(const WorkFolder& folder, std::vector<StagedFile>& staged);

// Deletes ".\temp" with its contents, permanently and silently, and
// ".\Purvex_Ver.txt" (which earlier updaters left). "temp" goes only as an
// entry of the current folder, which is the installation folder (the updater
// makes its own folder the current one as it starts), and through
// base/deletion.h: a link there is removed as itself where the system allows
// it, never walked. What cannot be deleted (an old program file still
// running) stays, for the next run. Failures are not reported.
void RemoveLeftovers();

}  // namespace freshen
