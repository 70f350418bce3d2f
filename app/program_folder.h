#pragma once
#include <string>

namespace shell {

// The folder of the running program with a trailing backslash. Files given
// without a path (the program's own libraries, the updater) are found here.
std::string ProgramFolder();

}  // namespace shell
