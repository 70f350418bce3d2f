#include "base/own_folder.h"

#include <windows.h>

#include <string>

#include "base/path_text.h"

namespace base {

bool EnterOwnFolder() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return false;
    std::string folder(path, length);
    const size_t slash = LastSeparator(folder);
    if (slash == std::string::npos) return false;
    folder.erase(slash + 1);  // a drive root keeps its backslash
    return SetCurrentDirectoryA(folder.c_str()) != FALSE;
}

}  // namespace base
