// A library for the system's Rundll32.exe to run in the termination tests:
// its entry point waits a minute, so the Rundll32 process stays until the
// repair ends it.
#include <windows.h>

extern "C" __declspec(dllexport) void CALLBACK Stay(HWND, HINSTANCE, LPSTR, int) { Sleep(60000); }
