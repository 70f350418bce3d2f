#include "engine/registry_roots.h"
#include "engine/removal.h"

namespace engine {

LONG RemoveKeyTree(const base::HeldKey& key) { return key.RemoveTree(); }

LONG RemoveKeyTree(HKEY root, const char* subkey, REGSAM viewFlag) {
    if (!subkey || IsRootItself(subkey)) return ERROR_INVALID_PARAMETER;
    return RemoveKeyTree(base::HoldKey(root, subkey, DELETE | KEY_ENUMERATE_SUB_KEYS, viewFlag));
}

bool RemoveRegistryValue(const base::HeldKey& key, const char* name) {
    return key.ok() && !key.IsLink() && name && RegDeleteValueA(key.get(), name) == ERROR_SUCCESS;
}

}  // namespace engine
