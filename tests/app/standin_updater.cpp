// A stand-in for the updater: leaves "updater-ran.txt" beside itself, holding
// the current folder it was started in, and ends, so the shell's tests can see
// that the banner's update button started it, and from where.
#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string marker(path);
    marker.erase(marker.find_last_of('\\') + 1);
    marker += "updater-ran.txt";
    char current[MAX_PATH] = {};
    const DWORD length = GetCurrentDirectoryA(MAX_PATH, current);
    HANDLE file = CreateFileA(marker.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    WriteFile(file, current, length < MAX_PATH ? length : 0, &written, nullptr);
    CloseHandle(file);
    return 0;
}
