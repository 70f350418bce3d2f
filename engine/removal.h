// Deleting what the scan found: registry key trees and values.
#pragma once
#include <windows.h>

#include "base/registry_links.h"

namespace engine {

// Files and folder trees go through base/deletion.h (HoldPath); keys and
// values through base/registry_links.h (HoldKey): the record's key is
// reached as the system resolves its path, the key itself never followed.

// Deletes the held key with all its subkeys, depth first, through their
// handles; a link, the key itself or one met below it, is deleted as itself
// and never entered. The walk stops at the first subkey that cannot be
// removed. Returns the status of deleting the key itself (ERROR_SUCCESS when
// gone).
LONG RemoveKeyTree(const base::HeldKey& key);

// The same for root\subkey in the registry view of viewFlag (0 or
// KEY_WOW64_64KEY), held as a database record's key is. A subkey that names
// no key at all ("" or only backslashes) is refused with
// ERROR_INVALID_PARAMETER, since it would empty the whole root.
LONG RemoveKeyTree(HKEY root, const char* subkey, REGSAM viewFlag = 0);

// Deletes the value name of the held key. False when the key is a link (it
// holds no values of its own) or the value cannot be deleted.
bool RemoveRegistryValue(const base::HeldKey& key, const char* name);

}  // namespace engine
