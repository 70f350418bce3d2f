#include "base/folder_tree.h"

#include <string.h>

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

}  // namespace base
