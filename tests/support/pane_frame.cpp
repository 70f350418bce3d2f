#include "tests/support/pane_frame.h"

#include "app/page_pane.h"
#include "ui/flat_splitter.h"

namespace pvtest {

namespace {

constexpr int kColumnWidth = 95;

// The pane left of the page: a view that draws nothing.
class CBlankColumn : public CView {
    DECLARE_DYNCREATE(CBlankColumn)
protected:
    void OnDraw(CDC*) override {}
};
IMPLEMENT_DYNCREATE(CBlankColumn, CView)

class CPaneFrame : public CFrameWnd {
protected:
    BOOL OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) override {
        m_splitter.CreateStatic(this, 1, 2, WS_CHILD | WS_VISIBLE, AFX_IDW_PANE_FIRST);
        m_splitter.CreateView(0, 0, RUNTIME_CLASS(CBlankColumn), CSize(kColumnWidth, 130), pContext);
        return m_pages.CreateFirst(pContext->m_pNewViewClass, CSize(0, 300), pContext);
    }

private:
    CFlatSplitter m_splitter;
    shell::PagePane m_pages{m_splitter, 0, 1};
};

}  // namespace

PageFrame PaneFrame() {
    PageFrame frame;
    frame.frame = new CPaneFrame;
    // The column, the 1-pixel gap between the panes and the 1-pixel border.
    frame.extraWidth = kColumnWidth + 1 + 2;
    frame.findPage = [](HWND window) {
        return GetDlgItem(GetDlgItem(window, AFX_IDW_PANE_FIRST), AFX_IDW_PANE_FIRST + 1);
    };
    return frame;
}

}  // namespace pvtest
