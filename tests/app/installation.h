// A throwaway installation of Purvex.exe for process tests: the program and
// its libraries copied from the build folder into a temporary folder, started
// with that folder as its current directory, watched and ended from outside.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/sandbox.h"

namespace app_test {

class Installation {
public:
    // Copies Purvex.exe, PvFrame.dll, Chronik.dll, NKShellAPI.dll and the database Purvex.adb
    // (the scan page, the first page shown, complains without it), the engine
    // Purvex.dll unless withEngine is false, and the stand-in updater as Freshen.exe.
    explicit Installation(bool withEngine = true);
    ~Installation();  // ends every program it started; then the folder goes
    Installation(const Installation&) = delete;
    Installation& operator=(const Installation&) = delete;

    const std::string& folder() const { return m_folder.path(); }
    std::string Path(const char* name) const { return m_folder / name; }

    // Starts Purvex.exe in its folder, or in startIn; returns its process
    // handle (owned by this object).
    HANDLE Start(const std::string& startIn = std::string());
    // The visible top-level window titled title of process, waiting up to 60 s
    // for it to appear; NULL when it did not.
    static HWND WaitForWindow(HANDLE process, const char* title);
    // The process's exit code once it has ended (waiting up to 60 s); STILL_ACTIVE if it did not.
    static DWORD WaitForExit(HANDLE process);
    // Asks the program to close its main window and waits for it to end.
    static DWORD Close(HANDLE process, HWND frame);

private:
    pvtest::TempFolder m_folder{"PurvexInstall"};
    std::vector<HANDLE> m_processes;
};

// The first descendant of parent with control id id, or NULL.
HWND FindDescendant(HWND parent, int id);

}  // namespace app_test
