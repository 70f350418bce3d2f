#include "engine/registry_roots.h"

namespace engine {

HKEY RootKeyHandle(adb::RootKey root) {
    switch (root) {
    case adb::RootKey::classesRoot: return HKEY_CLASSES_ROOT;
    case adb::RootKey::currentUser: return HKEY_CURRENT_USER;
    case adb::RootKey::localMachine: return HKEY_LOCAL_MACHINE;
    case adb::RootKey::users: return HKEY_USERS;
    case adb::RootKey::currentConfig: return HKEY_CURRENT_CONFIG;
    case adb::RootKey::none: break;
    }
    return nullptr;
}

bool IsRootItself(const char* subkey) {
    for (const char* p = subkey; *p; ++p)
        if (*p != '\\') return false;
    return true;
}

}  // namespace engine
