// Putting back what a cure kept (backup/keeper.h).
//
// Items go back newest first, each only to its recorded place (in its
// registry view, or in the 64-bit half's real folders), never over what is
// there now: a file, folder, key or value whose place is taken again stays in
// the backup. Missing folders on the way are made as plain folders; a folder
// on the way that is a link now (or no folder) keeps the item in the backup.
// Files get their names back without ".bak" and keep their attributes.
// Settings a cure rewrote are put back as they were, whatever they hold now.
// What went back leaves the backup; a backup emptied so is removed, folder
// and all.
#pragma once
#include <string>

namespace backup {

// Returns the number of files, folders, keys and values put back (settings
// do not count), or -1 when folder is missing or holds no backup.
int RestoreBackup(const std::string& folder);

}  // namespace backup
