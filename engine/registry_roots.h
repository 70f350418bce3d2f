// The registry root of an ItemType code.
#pragma once
#include <windows.h>

#include "adb/item_type.h"

namespace engine {

// NULL for RootKey::none.
HKEY RootKeyHandle(adb::RootKey root);

// True when a key path names no subkey at all (empty or only backslashes):
// such a path would open, and on removal delete, the whole root.
bool IsRootItself(const char* subkey);

}  // namespace engine
