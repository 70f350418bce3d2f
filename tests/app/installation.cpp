#include "tests/app/installation.h"

#include "tests/support/window_driver.h"

namespace app_test {
namespace {

constexpr DWORD kWaitMs = 60000;  // only ever reached when something is wrong

struct ChildSearch {
    int id;
    HWND found;
};

BOOL CALLBACK FindChild(HWND hwnd, LPARAM lParam) {
    auto* search = reinterpret_cast<ChildSearch*>(lParam);
    if (GetDlgCtrlID(hwnd) == search->id) {
        search->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND FindDescendant(HWND parent, int id) {
    ChildSearch search{id, nullptr};
    EnumChildWindows(parent, FindChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

Installation::Installation(bool withEngine) {
    const std::string build = pvtest::ProgramFolder() + "\\";
    for (const char* name : {"Purvex.exe", "PvFrame.dll", "Chronik.dll", "NKShellAPI.dll", "Purvex.adb"})
        CopyFileA((build + name).c_str(), Path(name).c_str(), FALSE);
    if (withEngine) CopyFileA((build + "Purvex.dll").c_str(), Path("Purvex.dll").c_str(), FALSE);
    CopyFileA((build + "StandinUpdater.exe").c_str(), Path("Freshen.exe").c_str(), FALSE);
}

Installation::~Installation() {
    for (HANDLE process : m_processes) {
        if (WaitForSingleObject(process, 0) == WAIT_TIMEOUT) {
            TerminateProcess(process, 99);
            WaitForSingleObject(process, kWaitMs);
        }
        CloseHandle(process);
    }
}

HANDLE Installation::Start(const std::string& startIn) {
    std::string command = "\"" + Path("Purvex.exe") + "\"";
    STARTUPINFOA startup = {sizeof startup};
    PROCESS_INFORMATION info = {};
    const std::string& folder = startIn.empty() ? m_folder.path() : startIn;
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup, &info))
        return nullptr;
    CloseHandle(info.hThread);
    m_processes.push_back(info.hProcess);
    return info.hProcess;
}

HWND Installation::WaitForWindow(HANDLE process, const char* title) {
    for (DWORD waited = 0; waited < kWaitMs; waited += 50) {
        for (HWND hwnd : pvtest::ProcessWindows(GetProcessId(process), title)) {
            if (IsWindowVisible(hwnd)) return hwnd;
        }
        if (WaitForSingleObject(process, 50) == WAIT_OBJECT_0) return nullptr;
    }
    return nullptr;
}

DWORD Installation::WaitForExit(HANDLE process) {
    WaitForSingleObject(process, kWaitMs);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process, &code);
    return code;
}

DWORD Installation::Close(HANDLE process, HWND frame) {
    PostMessageA(frame, WM_CLOSE, 0, 0);
    return WaitForExit(process);
}

}  // namespace app_test
