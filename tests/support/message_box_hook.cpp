#include "tests/support/message_box_hook.h"

namespace pvtest {
namespace {

MessageBoxHook* current = nullptr;  // the innermost hook, on the UI thread

constexpr int kTextId = 0xFFFF;   // the box's text control
constexpr int kIconId = 0x0440;   // the box's icon control

std::string WindowText(HWND hwnd) {
    char text[1024] = {};
    GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

bool IsDialog(HWND hwnd) {
    char name[32] = {};
    GetClassNameA(hwnd, name, sizeof name);
    return lstrcmpA(name, "#32770") == 0;
}

}  // namespace

MessageBoxHook::MessageBoxHook(std::vector<int> answers)
    : outer_(current), answers_(answers.begin(), answers.end()) {
    current = this;
    hook_ = SetWindowsHookExA(WH_CBT, Proc, nullptr, GetCurrentThreadId());
}

MessageBoxHook::~MessageBoxHook() {
    if (hook_) UnhookWindowsHookEx(hook_);
    current = outer_;
}

LRESULT CALLBACK MessageBoxHook::Proc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && current) {
        HWND hwnd = reinterpret_cast<HWND>(wParam);
        if (IsDialog(hwnd) && GetDlgItem(hwnd, kTextId)) current->Answer(hwnd);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void MessageBoxHook::Answer(HWND box) {
    // Activation can come more than once for one box; answer it once.
    if (!seen_.empty() && seen_.back().box == box && IsWindow(box)) return;

    SeenMessageBox seen;
    seen.box = box;
    seen.caption = WindowText(box);
    seen.text = WindowText(GetDlgItem(box, kTextId));
    seen.icon = reinterpret_cast<HICON>(SendDlgItemMessageA(box, kIconId, STM_GETICON, 0, 0));
    int id = IDCANCEL;
    if (!answers_.empty()) {
        id = answers_.front();
        answers_.pop_front();
    } else if (!GetDlgItem(box, IDCANCEL)) {
        id = IDOK;
    }
    HWND button = GetDlgItem(box, id);
    seen.hadButton = button != nullptr;
    seen_.push_back(seen);
    // Posted, so the box finishes its own activation before the click arrives.
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

namespace {

HWND lastAnswered = nullptr;  // a box answered may show for a moment longer

struct OtherBoxSearch {
    DWORD process, thread;
    HWND found;
};

BOOL CALLBACK CheckOtherBox(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<OtherBoxSearch*>(param);
    DWORD process = 0;
    const DWORD thread = GetWindowThreadProcessId(hwnd, &process);
    if (process != search->process || thread == search->thread || hwnd == lastAnswered) return TRUE;
    if (!IsWindowVisible(hwnd) || !IsDialog(hwnd) || !GetDlgItem(hwnd, kTextId)) return TRUE;
    search->found = hwnd;
    return FALSE;
}

}  // namespace

HWND FindOtherThreadBox(SeenMessageBox* seen) {
    if (lastAnswered != nullptr && !IsWindow(lastAnswered)) lastAnswered = nullptr;
    OtherBoxSearch search = {GetCurrentProcessId(), GetCurrentThreadId(), nullptr};
    EnumWindows(CheckOtherBox, reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr && seen != nullptr) {
        seen->box = search.found;
        seen->caption = WindowText(search.found);
        seen->text = WindowText(GetDlgItem(search.found, kTextId));
        seen->icon = reinterpret_cast<HICON>(SendDlgItemMessageA(search.found, kIconId, STM_GETICON, 0, 0));
        seen->hadButton = false;
    }
    return search.found;
}

void AnswerBox(HWND box, int id) {
    lastAnswered = box;
    PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, id)));
}

}  // namespace pvtest
