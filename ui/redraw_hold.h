// Holds the redrawing of a list view while it takes many rows or changes,
// which it would otherwise repaint (and lay out its scroll bar for) one by
// one, and lets it redraw at least every kInterval milliseconds meanwhile, so
// that the user still sees the list follow. Used on the list's own thread.
#pragma once
#include <windows.h>

namespace ui {

class RedrawHold {
public:
    static constexpr DWORD kInterval = 100;

    // Stops the window's redrawing; nothing when this already holds one.
    void Begin(HWND window);
    // Notes a change to the held window; a Flush redraws it. For changes
    // made in steps between which the thread waits: a timer of kInterval
    // then calls Flush while the thread would otherwise be idle.
    void Changed();
    // Notes a change and redraws the window (and holds it again) when
    // kInterval has passed since it was held or last redrawn: for changes
    // made in one go, during which no timer runs.
    void Step();
    // Redraws the held window now if it changed since its last redraw, and
    // holds it again.
    void Flush();
    // Redraws the window and gives its redrawing back; nothing when no
    // window is held.
    void End();
    bool held() const { return window_ != nullptr; }

private:
    void Redraw();

    HWND window_ = nullptr;
    DWORD redrawnAt_ = 0;
    bool changed_ = false;
};

}  // namespace ui
