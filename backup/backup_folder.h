// Where the program keeps cure backups, and the backup's own files.
//
// A backup folder is one of the program's own: ".\PurvexBackup\NNNNNNNN" or
// ".\PurvexLog\NNNNNNNN\backup", "." being the installation folder (every
// program makes its own folder the current one as it starts). It is reached
// from there one folder at a time, relative to the folder before and never
// through a link, and its own files (the lists, the seal, the REGEDIT4
// files) are read and written relative to the folder held so, never through
// a link and never into a file with more than one name.
#pragma once
#include <string>

#include "base/deletion.h"

namespace backup {

inline constexpr char kBackupRootName[] = "PurvexBackup";
inline constexpr char kLogRootName[] = "PurvexLog";
inline constexpr char kLogBackupName[] = "backup";

// The backup folder path names (relative to the current folder or full),
// reached from the installation folder down; with make, the folders on the
// way and the backup folder itself are made as plain folders where missing.
// !ok() when path names no backup folder of the program, when a folder on
// the way or the folder itself is a link or no folder, or when path reaches
// another folder than that one (by identity where the system gives one).
base::OpenFolder OpenBackupFolder(const std::string& path, bool make);

// How reading one of the backup's own files ended.
enum class FileRead {
    kRead,     // *text holds the whole file
    kAbsent,   // nothing of that name is there
    kRefused,  // a link, a file with more than one name, larger than limit, or unreadable
};
FileRead ReadOwnFile(const base::OpenFolder& folder, const std::string& name, size_t limit, std::string* text);

// Writes text as the whole of name, or at its end with append; a file made
// anew gets heading first. False when it cannot be written or name is not a
// plain file of one name.
bool WriteOwnFile(const base::OpenFolder& folder, const std::string& name, const std::string& text, bool append,
                  const std::string& heading = std::string());

}  // namespace backup
