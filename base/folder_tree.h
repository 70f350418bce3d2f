// Deleting folder trees without ever walking through a link. A junction or a
// symbolic link to a folder shows as a directory with the reparse-point
// attribute; whatever it points to lies outside the tree and is never entered.
#pragma once
#include <windows.h>

namespace base {

constexpr size_t kTreePathSize = 260;  // paths of the walk, terminator included

// True for attributes of a link (the reparse-point bit), false for
// INVALID_FILE_ATTRIBUTES.
bool IsLinkAttributes(DWORD attributes);

// Removes a directory link itself, never what it points to: RemoveDirectory
// removes a junction; a symbolic link is opened as itself and deleted on
// close. True when nothing is left at path.
bool RemoveFolderLink(const char* path);

// path + "\" + name into out (kTreePathSize), without a second backslash when
// path already ends with one. False, with out "", when it does not fit.
bool ChildPath(const char* path, const char* name, char* out);

// Deletes the folder path with everything in it. Read-only and system files
// and folders get normal attributes first. A link inside the tree (or path
// itself, when it is one) is removed as a link: the walk never enters it, so
// nothing outside the tree is touched. Entries whose full path does not fit
// kTreePathSize are skipped. Failures of single entries are ignored; returns
// whether path itself was removed. An absent or empty path fails at once.
bool RemoveFolderTree(const char* path);

}  // namespace base
