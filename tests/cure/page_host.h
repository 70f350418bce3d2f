// Hosts the scan and cure page in a frame of its own on the test's thread and
// drives it the way a user does: button clicks, tick boxes, header clicks,
// focus changes, all as window messages, with the messages pumped meanwhile.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

class CCureView;
class CFrameWnd;

namespace cure_test {

class PageHost {
public:
    // Creates a frame the size of the main window's page pane with the page
    // in it and runs the page's initial update (which may show boxes).
    PageHost();
    ~PageHost();  // destroys frame and page (the page unloads the engine)
    PageHost(const PageHost&) = delete;
    PageHost& operator=(const PageHost&) = delete;

    HWND page() const { return page_; }
    HWND control(int id) const { return GetDlgItem(page_, id); }
    std::string Text(int id) const;
    bool Visible(int id) const;
    bool Checked(int id) const;

    // A click on a button, tick box or radio button (BM_CLICK).
    void Click(int id);
    // A click at a point of the page's client area.
    void ClickPage(int x, int y);
    // A click on item 0 of the list's header.
    void ClickHeaderColumn0();
    void Focus(int id);

    // Presses "검사시작" and pumps until the pass has ended (1004 reads
    // "초기화면") or was stopped (back on the initial screen).
    void RunPass();
    // Pumps messages until done() holds.
    void PumpUntil(const std::function<bool()>& done);
    void PumpPending();

    // List rows.
    int Rows() const;
    std::string Cell(int row, int column) const;
    bool RowTicked(int row) const;
    void TickRow(int row, bool ticked);
    // The image shown in header item 0 (0 unticked box, 1 ticked box).
    int HeaderImage() const;

private:
    CFrameWnd* frame_ = nullptr;
    HWND page_ = nullptr;
};

}  // namespace cure_test
