// Hosts a page (a form view made by run-time class) in a frame of its own on
// the test's thread, the size of the main window's page pane, and drives it
// the way a user does: clicks, tick boxes, header clicks and focus changes as
// window messages, with the messages pumped meanwhile. While the host exists
// its frame is the application's main window (when the test program has an
// application object and no main window), so a page that reaches its frame
// through AfxGetMainWnd finds it.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "tests/support/window_driver.h"

struct CRuntimeClass;
class CFrameWnd;

namespace pvtest {

// A frame of the test's own making, for a page that needs more of its frame
// than a plain CFrameWnd gives (members of the program's frame class, panes
// beside the page).
struct PageFrame {
    CFrameWnd* frame = nullptr;  // made with new; deletes itself with its window
    int extraWidth = 0;          // client width beyond the page pane (other panes)
    // Finds the page's window inside the frame; asked each time the page is
    // needed, so a page that has replaced itself is found.
    std::function<HWND(HWND frame)> findPage;
};

class PageHost {
public:
    // The main window's page pane: the 630 x 500 frame less the page-button
    // column and the banner.
    static constexpr int kPaneWidth = 535;
    static constexpr int kPaneHeight = 425;

    // Creates the frame with the page in it and runs the page's initial
    // update (which may show boxes).
    explicit PageHost(CRuntimeClass* pageClass);
    // The same in the given frame, whose client creation places the page.
    PageHost(CRuntimeClass* pageClass, PageFrame custom);
    ~PageHost();  // destroys frame and page
    PageHost(const PageHost&) = delete;
    PageHost& operator=(const PageHost&) = delete;

    HWND page() const { return findPage_ ? findPage_(frame()) : page_; }
    HWND frame() const;
    HWND control(int id) const { return GetDlgItem(page(), id); }
    std::string Text(int id) const { return WindowText(control(id)); }
    bool Visible(int id) const { return IsShown(control(id)); }
    bool Enabled(int id) const { return IsWindowEnabled(control(id)) != FALSE; }
    bool Checked(int id) const { return IsChecked(control(id)); }
    ListView List(int id) const { return ListView(control(id)); }

    // A click on a button, tick box or radio button (BM_CLICK).
    void Click(int id) { pvtest::Click(control(id)); }
    // A click at a point of the page's client area.
    void ClickPage(int x, int y) { ClickAt(page(), x, y); }
    void Focus(int id);

private:
    void Open(CRuntimeClass* pageClass, int extraWidth);

    CFrameWnd* frame_ = nullptr;
    HWND page_ = nullptr;
    std::function<HWND(HWND)> findPage_;
    bool madeMain_ = false;
};

}  // namespace pvtest
