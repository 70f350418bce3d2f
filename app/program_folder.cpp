#include "app/program_folder.h"

#include <windows.h>

#include "base/path_text.h"

namespace shell {

std::string ProgramFolder() {
    char path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    folder.erase(base::LastSeparator(folder) + 1);
    return folder;
}

}  // namespace shell
