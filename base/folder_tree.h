// Deleting a folder tree named by a path, without ever walking through a
// link (a junction or a symbolic link to a folder shows as a directory with
// the reparse-point attribute; whatever it points to lies outside the tree),
// and composing paths of fixed size.
#pragma once
#include <windows.h>

namespace base {

constexpr size_t kTreePathSize = 260;  // composed paths, terminator included

// path + "\" + name into out (kTreePathSize), without a second backslash when
// path already ends with one. False, with out "", when it does not fit.
bool ChildPath(const char* path, const char* name, char* out);

// Deletes the folder path with everything in it, through base/deletion.h:
// path is resolved once as the system resolves it (links on the way are
// followed), then the walk works by handle from there. Read-only and system
// files and folders get normal attributes first. A link inside the tree (or
// path itself, when it is one) is removed as a link where the system can open
// the link itself, and is never entered. Failures of single entries are
// ignored; returns whether path itself was removed. An absent or empty path,
// a file and a drive root fail at once.
bool RemoveFolderTree(const char* path);

}  // namespace base
