#include "tests/support/page_host.h"

#include "framework/afxwin.h"

namespace pvtest {

PageHost::PageHost(CRuntimeClass* pageClass) {
    frame_ = new CFrameWnd;
    Open(pageClass, 0);
}

PageHost::PageHost(CRuntimeClass* pageClass, PageFrame custom) : findPage_(std::move(custom.findPage)) {
    frame_ = custom.frame;
    Open(pageClass, custom.extraWidth);
}

void PageHost::Open(CRuntimeClass* pageClass, int extraWidth) {
    CWinApp* app = AfxGetApp();
    if (app != nullptr && app->m_pMainWnd == nullptr) {
        app->m_pMainWnd = frame_;
        madeMain_ = true;
    }
    RECT rect = {0, 0, kPaneWidth + extraWidth, kPaneHeight};
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE;
    AdjustWindowRect(&rect, style, FALSE);
    CCreateContext context;
    context.m_pNewViewClass = pageClass;
    frame_->Create(nullptr, "Purvex", style, CRect(0, 0, rect.right - rect.left, rect.bottom - rect.top),
                   nullptr, nullptr, 0, &context);
    page_ = GetDlgItem(frame_->m_hWnd, AFX_IDW_PANE_FIRST);
    frame_->InitialUpdateFrame(nullptr, TRUE);
    PumpPending();
}

PageHost::~PageHost() {
    // No longer the main window first: its end would end the message loop.
    if (madeMain_ && AfxGetApp() != nullptr && AfxGetApp()->m_pMainWnd == frame_) AfxGetApp()->m_pMainWnd = nullptr;
    if (frame_ != nullptr && IsWindow(frame_->m_hWnd)) frame_->DestroyWindow();  // deletes itself
    PumpPending();
}

HWND PageHost::frame() const { return frame_->m_hWnd; }

void PageHost::Focus(int id) {
    SetFocus(control(id));
    PumpPending();
}

}  // namespace pvtest
