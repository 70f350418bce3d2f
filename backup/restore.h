// Putting back what a cure kept (backup/keeper.h), and only that.
//
// A backup is put back only when it is wholly the program's own: one of the
// program's backup folders reached without a link (backup/backup_folder.h),
// its lists and REGEDIT4 files no links and of one name each, its manifest
// as its seal says (backup/seal.h) and every kept file, folder tree and
// REGEDIT4 file as the manifest's digest of it says. Anything else is
// refused as a whole, before anything is put back.
//
// Items then go back newest first, each only to its recorded place (in its
// registry view, or in the 64-bit half's real folders), never over what is
// there now: a file, folder, key or value whose place is taken again stays in
// the backup (a folder is never merged into one that is there). Missing
// folders on the way are made as plain folders; a folder on the way that is a
// link now (or no folder) keeps the item in the backup. Files get their names
// back without ".bak" and keep their attributes. A key gets back only itself
// and its subkeys from its REGEDIT4 file (other sections are passed over) and
// never a value that is there now. An item whose place a deletion would
// refuse (a protected folder, key or value, a share or device path), and a
// setting that is none a cure rewrites (backup/kept_settings.h), stays in
// the backup marked as refused. The settings a cure rewrote are put back as
// they were, whatever they hold now. What went back leaves the backup; a
// backup emptied so is removed, folder and all.
#pragma once
#include <string>

namespace backup {

// What RestoreBackup returns besides the number of items put back.
inline constexpr int kNoBackup = -1;         // folder is missing or holds no backup
inline constexpr int kRefusedBackup = -2;    // not wholly the program's own, or not as its seal says
inline constexpr int kUncheckedBackup = -3;  // no seal, or this process may not read the machine's key

// Returns the number of files, folders, keys and values put back (settings
// do not count), or one of the values above, nothing having been put back.
int RestoreBackup(const std::string& folder);

}  // namespace backup
