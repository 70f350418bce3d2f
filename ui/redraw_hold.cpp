#include "ui/redraw_hold.h"

namespace ui {

void RedrawHold::Begin(HWND window) {
    if (window_ != nullptr || window == nullptr) return;
    window_ = window;
    SendMessageA(window_, WM_SETREDRAW, FALSE, 0);
    redrawnAt_ = GetTickCount();
    changed_ = false;
}

void RedrawHold::Changed() { changed_ = window_ != nullptr; }

void RedrawHold::Step() {
    Changed();
    if (GetTickCount() - redrawnAt_ >= kInterval) Flush();
}

void RedrawHold::Flush() {
    if (window_ == nullptr || !changed_) return;
    Redraw();
    SendMessageA(window_, WM_SETREDRAW, FALSE, 0);
}

void RedrawHold::End() {
    if (window_ == nullptr) return;
    if (IsWindow(window_)) Redraw();
    window_ = nullptr;
}

// Painted at once: a list filled inside one handler gets no other chance.
void RedrawHold::Redraw() {
    SendMessageA(window_, WM_SETREDRAW, TRUE, 0);
    RedrawWindow(window_, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    redrawnAt_ = GetTickCount();
    changed_ = false;
}

}  // namespace ui
