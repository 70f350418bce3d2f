// Deleting what the scan found: folder trees, registry key trees and values.
#pragma once
#include <windows.h>

namespace engine {

// Deletes the folder path with everything in it. Read-only and system files
// and folders get normal attributes first. A directory link or junction
// inside the tree (or path itself, when it is one) is removed as a link: the
// walk never enters it, so nothing outside the tree is touched. Failures of
// single entries are ignored; returns whether path itself was removed. An
// absent or empty path fails at once.
bool RemoveFolderTree(const char* path);

// Deletes root\subkey with all its subkeys, depth first; the walk stops at
// the first subkey that cannot be removed. Returns the status of deleting
// root\subkey (ERROR_SUCCESS when gone). A subkey that names no key at all
// ("" or only backslashes) is refused with ERROR_INVALID_PARAMETER, since it
// would empty the whole root.
LONG RemoveKeyTree(HKEY root, const char* subkey);

// Deletes the value name under root\subkey (opened with all access).
bool RemoveRegistryValue(HKEY root, const char* subkey, const char* name);

}  // namespace engine
