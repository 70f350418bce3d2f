// The 32-bit program on 64-bit Windows (WOW64). There the system shows a
// 32-bit program one half of the machine under the names of the whole:
// HKLM\SOFTWARE and HKCR are the 32-bit registry view ("Wow6432Node"), the
// system folder is "SysWOW64", %ProgramFiles% is "Program Files (x86)". These
// helpers reach the other half; on 32-bit Windows and the 9x family they
// report that there is none and change nothing.
#pragma once
#include <windows.h>

#include <string>

#include "base/platform.h"  // RunsUnderWow64

namespace base {

// GetSystemWow64DirectoryA where the system has it: the 32-bit system folder
// of 64-bit Windows ("SysWOW64"); 0 and nothing written elsewhere. Shaped
// like GetSystemDirectoryA, so the two can stand in one list.
UINT WINAPI SystemWow64Directory(LPSTR out, UINT size);

// The registry view flag that reaches the 64-bit view: KEY_WOW64_64KEY under
// WOW64, 0 elsewhere (Windows 2000 refuses the flag).
REGSAM Registry64View();

// Deletes root\subkey (which must have no subkeys) in the view of viewFlag (0
// or KEY_WOW64_64KEY), through its handle, reached as base/registry_links.h's
// OpenKeyWay reaches it: a link on the way or at the key itself is left
// (ERROR_ACCESS_DENIED). The platform's status code, ERROR_SUCCESS when gone.
LONG DeleteKeyInView(HKEY root, const char* subkey, REGSAM viewFlag);

// True when two open keys are one key of the registry, as where both views
// share a key: their full names in the registry are equal (NtQueryKey, looked
// up by name). False when either name cannot be read.
bool SameKey(HKEY a, HKEY b);

// While it lives, this thread's file calls are not redirected under WOW64:
// "system32" names the real (64-bit) system folder, for opens by path and
// relative to a folder handle alike (Wine redirects those too, so a walk
// below the real system folder needs this, not only a "Sysnative" path).
// Wow64DisableWow64FsRedirection is looked up by name; elsewhere it does
// nothing. Keep its scope to file calls: a library loaded meanwhile would be
// looked for in the 64-bit system folder and not found. The libraries that
// the protected checks made under it load (the shell's folder queries and
// Windows File Protection's) are therefore loaded, and kept, before
// redirection first goes off.
class FileRedirectionOff {
public:
    explicit FileRedirectionOff(bool off = true);
    ~FileRedirectionOff();
    FileRedirectionOff(const FileRedirectionOff&) = delete;
    FileRedirectionOff& operator=(const FileRedirectionOff&) = delete;

private:
    void* previous_ = nullptr;
    bool off_ = false;
};

// The folder through which this process reaches the real (64-bit) system
// folder, "<Windows folder>\Sysnative"; "" when the process is not under
// WOW64 or the system offers no such folder (64-bit XP without its update).
std::string NativeSystemFolder();

}  // namespace base
