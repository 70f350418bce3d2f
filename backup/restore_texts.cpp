#include "backup/restore_texts.h"

#include <stdio.h>

#include "backup/manifest.h"
#include "backup/restore.h"

namespace backup {

std::string RestoreEndText(int result, const std::string& folder, bool* failed) {
    *failed = result < 0;
    if (result == kRefusedBackup) return kMsgRestoreRefused;
    if (result == kUncheckedBackup) return kMsgRestoreUnchecked;
    if (result < 0) return kMsgNoBackup;
    char done[128];
    snprintf(done, sizeof done, kMsgRestoredFormat, result);
    std::string text = done;
    std::string manifest;
    std::vector<Entry> left;
    ReadManifest(OpenBackupFolder(folder, false), &manifest, &left);
    bool taken = false, refused = false;
    for (const Entry& entry : left) (entry.refused ? refused : taken) = true;
    return text + (taken ? kMsgRestoreLeftSome : "") + (refused ? kMsgRestoreRefusedSome : "");
}

}  // namespace backup
