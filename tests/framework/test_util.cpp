#include "test_util.h"

namespace {
MessageBoxAnswerer* g_current = nullptr;
}

MessageBoxAnswerer::MessageBoxAnswerer(int answer) : m_answer(answer) {
    g_current = this;
    m_hook = ::SetWindowsHookExA(WH_CBT, &Hook, nullptr, ::GetCurrentThreadId());
}

MessageBoxAnswerer::~MessageBoxAnswerer() {
    ::UnhookWindowsHookEx(m_hook);
    g_current = nullptr;
}

LRESULT CALLBACK MessageBoxAnswerer::Hook(int code, WPARAM wParam, LPARAM lParam) {
    MessageBoxAnswerer* self = g_current;
    if (code == HCBT_ACTIVATE && self != nullptr) {
        HWND hWnd = reinterpret_cast<HWND>(wParam);
        char className[32] = {};
        ::GetClassNameA(hWnd, className, sizeof(className));
        HWND hText = ::GetDlgItem(hWnd, 0xFFFF);
        if (std::string(className) == "#32770" && hText != nullptr) {
            char buffer[512] = {};
            ::GetWindowTextA(hWnd, buffer, sizeof(buffer));
            self->caption = buffer;
            ::GetWindowTextA(hText, buffer, sizeof(buffer));
            self->text = buffer;
            ++self->count;
            ::PostMessageA(hWnd, WM_COMMAND, MAKEWPARAM(self->m_answer, BN_CLICKED), 0);
        }
    }
    return ::CallNextHookEx(self ? self->m_hook : nullptr, code, wParam, lParam);
}

TopWindow::TopWindow() {
    CreateEx(0, nullptr, "top", WS_OVERLAPPEDWINDOW, 10, 10, 400, 300, nullptr, nullptr);
}

void PumpUntil(const std::function<bool()>& done) {
    MSG msg;
    while (!done() && ::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}
