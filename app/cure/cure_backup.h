// Where the scan page keeps what a cure removes: in the pass's log folder
// (".\PurvexLog\NNNNNNNN\backup") when the pass is logged, otherwise in a
// numbered folder of its own under ".\PurvexBackup", of which only the
// newest kKeptBackups stay. Plus the browser settings the cure resets,
// kept beside what the engine keeps.
#pragma once
#include <string>

#include "backup/backup_folder.h"

namespace cure {

inline constexpr char kBackupRoot[] = ".\\PurvexBackup";  // backup::kBackupRootName in the installation folder
using backup::kLogBackupName;
inline constexpr int kKeptBackups = 20;

// The backup folder of a cure after the pass logged in passLogFolder (empty:
// not logged). An unlogged cure gets a new numbered folder, made here with
// the root when missing (never through a link: a root that is a link gives
// none), and the older ones beyond the newest kKeptBackups go. Empty when
// none could be made.
std::string CureBackupFolder(const std::string& passLogFolder);

// Removes the numbered folders of root ("%08d") but the keep highest ones,
// through the deletion layer (a link among them goes as itself, never its
// target). Other entries stay.
void PruneBackups(const std::string& root, int keep);

// Keeps the browser values a cure rewrites (the reset and the start page)
// as they are now in folder. False when nothing could be kept.
bool KeepBrowserSettings(const std::string& folder);

}  // namespace cure
