#include "tests/clean/clean_test_frame.h"

namespace clean_test {

namespace {

// The pane left of the page: a view that draws nothing.
class CBlankColumn : public CView {
    DECLARE_DYNCREATE(CBlankColumn)
protected:
    void OnDraw(CDC*) override {}
};
IMPLEMENT_DYNCREATE(CBlankColumn, CView)

}  // namespace

BEGIN_MESSAGE_MAP(CCleanTestFrame, CMainFrame)
    ON_WM_CREATE()
END_MESSAGE_MAP()

int CCleanTestFrame::OnCreate(LPCREATESTRUCT lpCreateStruct) { return CFrameWnd::OnCreate(lpCreateStruct); }

BOOL CCleanTestFrame::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) {
    CSplitterWnd& splitter = PageSplitter();
    splitter.CreateStatic(this, 1, 2, WS_CHILD | WS_VISIBLE, AFX_IDW_PANE_FIRST);
    splitter.CreateView(0, 0, RUNTIME_CLASS(CBlankColumn), CSize(kColumnWidth, 130), pContext);
    splitter.CreateView(0, 1, pContext->m_pNewViewClass, CSize(0, 300), pContext);
    return TRUE;
}

pvtest::PageFrame ShellLikeFrame() {
    pvtest::PageFrame frame;
    frame.frame = new CCleanTestFrame;
    // The column, the 1-pixel gap between the panes and the 1-pixel border.
    frame.extraWidth = CCleanTestFrame::kColumnWidth + 1 + 2;
    frame.findPage = [](HWND window) {
        return GetDlgItem(GetDlgItem(window, AFX_IDW_PANE_FIRST), AFX_IDW_PANE_FIRST + 1);
    };
    return frame;
}

}  // namespace clean_test
