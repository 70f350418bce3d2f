// A WH_CBT hook, set for every thread by the updater's process tests, that
// answers the updater's message boxes: when a dialog captioned "Purvex" is
// activated it appends "caption|text" to the file named by the environment
// variable PURVEX_TEST_MSGBOX_LOG (in the process that shows the box) and
// presses its OK button.
#include <windows.h>

#include <string>

namespace {

BOOL CALLBACK CollectText(HWND child, LPARAM param) {
    char cls[32] = {};
    GetClassNameA(child, cls, sizeof cls);
    if (lstrcmpiA(cls, "Static") != 0) return TRUE;
    char text[1024] = {};
    GetWindowTextA(child, text, sizeof text);
    std::string& all = *reinterpret_cast<std::string*>(param);
    if (text[0]) all += text;
    return TRUE;
}

void Record(HWND box) {
    char path[MAX_PATH] = {};
    if (!GetEnvironmentVariableA("PURVEX_TEST_MSGBOX_LOG", path, sizeof path)) return;
    char caption[256] = {};
    GetWindowTextA(box, caption, sizeof caption);
    std::string line = std::string(caption) + "|";
    EnumChildWindows(box, CollectText, reinterpret_cast<LPARAM>(&line));
    line += "\r\n";
    HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS, 0,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD put = 0;
    WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &put, nullptr);
    CloseHandle(file);
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK AnswerMessageBox(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        HWND window = reinterpret_cast<HWND>(wParam);
        char cls[32] = {}, caption[64] = {};
        GetClassNameA(window, cls, sizeof cls);
        GetWindowTextA(window, caption, sizeof caption);
        HWND ok = GetDlgItem(window, IDOK);
        if (lstrcmpA(cls, "#32770") == 0 && lstrcmpA(caption, "Purvex") == 0 && ok) {
            Record(window);
            PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(ok));
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
