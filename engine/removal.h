// Deleting what the scan found: registry key trees and values.
#pragma once
#include <windows.h>

namespace engine {

// Files and folder trees go through base/deletion.h (HoldPath).

// Deletes root\subkey with all its subkeys, depth first; the walk stops at
// the first subkey that cannot be removed. Returns the status of deleting
// root\subkey (ERROR_SUCCESS when gone). A subkey that names no key at all
// ("" or only backslashes) is refused with ERROR_INVALID_PARAMETER, since it
// would empty the whole root. viewFlag (0 or KEY_WOW64_64KEY) names the
// registry view every step works in.
LONG RemoveKeyTree(HKEY root, const char* subkey, REGSAM viewFlag = 0);

// Deletes the value name under root\subkey (opened with all access) in the
// registry view of viewFlag.
bool RemoveRegistryValue(HKEY root, const char* subkey, const char* name, REGSAM viewFlag = 0);

}  // namespace engine
