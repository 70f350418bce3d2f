// Ending the running main program before the update and starting it again
// afterwards.
#pragma once
#include <windows.h>
#include <string>

namespace freshen {

// Enables "SeDebugPrivilege" in this process's token. False when it could not
// be enabled; callers go on regardless.
bool EnableDebugPrivilege();

// The executable name the process snapshot shows for the main program: on the
// 9x family (family9x) the full path "<currentDir>\Purvex.exe", on the NT
// family the bare "Purvex.exe".
std::string MainProgramName(bool family9x, const char* currentDir);

// Ends the first process in the snapshot whose executable name equals name
// (ignoring case): terminates it with its own exit code and waits for it
// without limit. True only when such a process was terminated.
bool EndProcessNamed(const std::string& name);

// EndProcessNamed with the main program's name for this platform and the
// current folder.
bool EndMainProgram();

// Shell "open" of "Purvex.exe" (no path, no parameters) with SW_SHOW; it is
// found in the current folder, the installation folder.
void RestartMainProgram(HWND owner);

}  // namespace freshen
