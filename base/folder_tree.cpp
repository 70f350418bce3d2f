#include "base/folder_tree.h"

#include <string.h>

#include "base/deletion.h"

namespace base {

bool ChildPath(const char* path, const char* name, char* out) {
    const size_t n = strlen(path), m = strlen(name);
    const bool separator = !(n && path[n - 1] == '\\');
    if (n + separator + m + 1 > kTreePathSize) {
        out[0] = 0;
        return false;
    }
    memcpy(out, path, n);
    if (separator) out[n] = '\\';
    memcpy(out + n + separator, name, m + 1);
    return true;
}

bool RemoveFolderTree(const char* path) {
    HeldItem item = HoldPath(path);
    return item.reach() == Reach::kHeld && item.IsFolder() && item.RemoveTree(Attributes::kNormal);
}

}  // namespace base
