// The folder of the running program. The programs' relative paths (".\temp",
// ".\PurvexLog", the databases) mean the installation folder: each program
// makes its own folder the current one as it starts, wherever it was started
// from (a shortcut's start folder, a console in C:\).
#pragma once

namespace base {

// Makes the folder of the running program's file the current folder. False
// when its name cannot be read or the folder cannot be entered.
bool EnterOwnFolder();

}  // namespace base
