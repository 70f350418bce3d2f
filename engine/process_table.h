// The engine's table of running processes, rebuilt before every termination
// the repair performs, and the termination by executable path.
#pragma once
#include <windows.h>

#include "base/unique_handle.h"

namespace engine {

class ProcessTable {
public:
    static constexpr int kMaxEntries = 255;
    static constexpr int kNameSize = 255;

    // Empty table; records the platform family the system reports
    // (base/platform.h: a process snapshot's names follow it).
    ProcessTable();

    bool NtFamily() const { return ntFamily_; }

    // Rebuilds the table from scratch. NT family: from Taskwalk.dll's
    // GetProcessList_nt (empty when the library or export is missing).
    // 9x family: executable names from a process snapshot, without handles.
    // Handles of the previous table are closed.
    void Refresh();

    // The first entry whose name begins with path (without regard to case),
    // or -1. An empty path matches nothing.
    int Find(const char* path) const;

    int Count() const { return count_; }
    const char* Name(int i) const { return names_[i]; }
    HANDLE Handle(int i) const { return handles_[i].get(); }

private:
    const bool ntFamily_;
    int count_ = 0;
    char names_[kMaxEntries][kNameSize];
    base::UniqueHandleKernel handles_[kMaxEntries];
};

// Ends the process whose image is path. 9x family: the first process of a
// fresh snapshot whose executable name equals path is terminated with the
// exit code it reports and waited for. Both families: the table entry that
// Find(path) names is terminated with exit code 0 when it has a handle, with
// a wait of at most three seconds for it to end (so that its image file can
// be deleted next). An empty path ends nothing.
void KillProcessByPath(ProcessTable& table, const char* path);

}  // namespace engine
