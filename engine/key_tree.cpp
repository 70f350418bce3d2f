#include "base/unique_handle.h"
#include "base/wow64.h"
#include "engine/registry_roots.h"
#include "engine/removal.h"

namespace engine {

LONG RemoveKeyTree(HKEY root, const char* subkey, REGSAM viewFlag) {
    if (!subkey || IsRootItself(subkey)) return ERROR_INVALID_PARAMETER;
    {
        base::UniqueHKey key;
        if (RegOpenKeyExA(root, subkey, 0, KEY_ALL_ACCESS | viewFlag, key.put()) == ERROR_SUCCESS) {
            // Always take the first subkey: each success removes it from the list.
            for (;;) {
                char name[261];
                DWORD length = sizeof(name);
                if (RegEnumKeyExA(key.get(), 0, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
                    break;
                if (RemoveKeyTree(key.get(), name, viewFlag) != ERROR_SUCCESS) break;
            }
        }
    }
    return base::DeleteKeyInView(root, subkey, viewFlag);
}

bool RemoveRegistryValue(HKEY root, const char* subkey, const char* name, REGSAM viewFlag) {
    if (!subkey || !name) return false;
    base::UniqueHKey key;
    if (RegOpenKeyExA(root, subkey, 0, KEY_ALL_ACCESS | viewFlag, key.put()) != ERROR_SUCCESS) return false;
    return RegDeleteValueA(key.get(), name) == ERROR_SUCCESS;
}

}  // namespace engine
