// Hosts a page (a form view made by run-time class) in a frame of its own on
// the test's thread, the size of the main window's page pane, and drives it
// the way a user does: clicks, tick boxes, header clicks and focus changes as
// window messages, with the messages pumped meanwhile.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "tests/support/window_driver.h"

struct CRuntimeClass;
class CFrameWnd;

namespace pvtest {

class PageHost {
public:
    // The main window's page pane: the 630 x 500 frame less the page-button
    // column and the banner.
    static constexpr int kPaneWidth = 535;
    static constexpr int kPaneHeight = 425;

    // Creates the frame with the page in it and runs the page's initial
    // update (which may show boxes).
    explicit PageHost(CRuntimeClass* pageClass);
    ~PageHost();  // destroys frame and page
    PageHost(const PageHost&) = delete;
    PageHost& operator=(const PageHost&) = delete;

    HWND page() const { return page_; }
    HWND frame() const;
    HWND control(int id) const { return GetDlgItem(page_, id); }
    std::string Text(int id) const { return WindowText(control(id)); }
    bool Visible(int id) const { return IsShown(control(id)); }
    bool Enabled(int id) const { return IsWindowEnabled(control(id)) != FALSE; }
    bool Checked(int id) const { return IsChecked(control(id)); }
    ListView List(int id) const { return ListView(control(id)); }

    // A click on a button, tick box or radio button (BM_CLICK).
    void Click(int id) { pvtest::Click(control(id)); }
    // A click at a point of the page's client area.
    void ClickPage(int x, int y) { ClickAt(page_, x, y); }
    void Focus(int id);

private:
    CFrameWnd* frame_ = nullptr;
    HWND page_ = nullptr;
};

}  // namespace pvtest
