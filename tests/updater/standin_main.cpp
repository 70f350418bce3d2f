// Stands in for the main program in the updater tests: copied into a scratch
// installation folder as Purvex.exe. Each start appends a line to
// ".\standin-starts.log" and sets the named event the test waits on; then it
// idles until ended (or for at most two minutes).
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    HANDLE log = CreateFileA(".\\standin-starts.log", FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             OPEN_ALWAYS, 0, nullptr);
    if (log != INVALID_HANDLE_VALUE) {
        DWORD put = 0;
        WriteFile(log, "started\r\n", 9, &put, nullptr);
        CloseHandle(log);
    }
    HANDLE started = OpenEventA(EVENT_MODIFY_STATE, FALSE, "PurvexUpdaterTestStandInStarted");
    if (started) {
        SetEvent(started);
        CloseHandle(started);
    }
    Sleep(120000);
    return 0;
}
