// Items in use left for the next start of Windows. A file a program runs
// from, holds open or has loaded cannot be deleted now; the system removes it
// early in the next start, before any program runs, but by path and
// following whatever the path holds then. So an item is left only where
// nobody but administrators can change its path until then:
//  - moved now into the program's own pending folder at its drive's root
//    (base/admin_folders.h; the NT family renames a file in use, unless it
//    is held open without letting others delete it), which also removes it
//    from its place at once;
//  - else at its own place, when every folder from the drive root down
//    passes base::JudgeFolderChain.
// With a backup, a copy of what is left is kept first (backup/keeper.h:
// CopyIn); an item that cannot be copied is left only in the mode that
// allows it.
#pragma once
#include <stdint.h>

#include <string>
#include <vector>

#include "backup/keeper.h"
#include "base/deletion.h"
#include "engine/item_places.h"
#include "engine/purvex_engine.h"

namespace engine {

class RestartRemoval {
public:
    // A PurvexRestartMode; false (mode unchanged) for any other value.
    bool SetMode(uint8_t mode);
    uint8_t mode() const { return mode_; }
    bool on() const { return mode_ != PURVEX_RESTART_OFF; }

    // Forgets what an earlier repair left: reasons, paths and the items
    // waiting for a copy.
    void Forget();

    // Leaves item index, held and still at its place after its removal
    // failed, for the next start (see above). view64: it lies in the 64-bit
    // half and was reached with the file redirection off, as the caller
    // still has it. Returns the item's PurvexItemOutcome: AT_RESTART, or
    // FAILED with the reason (a file left as it is on purpose, a link or a
    // read-only file, has none); an item failed for want of a copy is
    // remembered (Waiting) with what reaches it again.
    uint8_t Leave(int index, base::HeldItem& held, bool view64, backup::Keeper* keeper, const std::string& record,
                  uint8_t type, const char* location, View view);

    uint8_t Reason(int index) const;
    const char* Path(int index) const;

    // An item the last repair did not leave for want of a copy.
    struct Waiting {
        int index;
        uint8_t type;
        std::string location;
        View view;
    };
    // Takes them (they are no longer remembered).
    std::vector<Waiting> TakeWaiting();

private:
    uint8_t LeaveFile(int index, base::HeldItem& held, bool view64, backup::Keeper* keeper,
                      const std::string& record);
    uint8_t LeaveFolder(int index, base::HeldItem& held, bool view64, backup::Keeper* keeper,
                        const std::string& record);
    uint8_t Failed(int index, uint8_t reason);
    uint8_t AtRestart(int index, const std::string& path, uint8_t reason);

    uint8_t mode_ = PURVEX_RESTART_OFF;
    uint8_t reasons_[256] = {};
    std::string paths_[256];
    std::vector<Waiting> waiting_;
};

}  // namespace engine
