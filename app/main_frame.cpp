#include "app/main_frame.h"

#include "app/logo_dlg.h"
#include "app/pages.h"
#include "app/purvex_view.h"
#include "app/shell_texts.h"
#include "app/top_view.h"
#include "app/version_record.h"
#include "ui/ui_handles.h"

IMPLEMENT_DYNCREATE(CMainFrame, CFrameWnd)

CMainFrame::CMainFrame() = default;

BEGIN_MESSAGE_MAP(CMainFrame, CFrameWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

BOOL CMainFrame::PreCreateWindow(CREATESTRUCT& cs) {
    if (!CFrameWnd::PreCreateWindow(cs)) return FALSE;
    cs.style &= ~(WS_THICKFRAME | WS_MAXIMIZEBOX | FWS_ADDTOTITLE);
    ui::UniqueMenu menu(cs.hMenu);  // the frame has no menu
    cs.hMenu = nullptr;
    return TRUE;
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpCreateStruct) {
    SetWindowText(shell::kAppTitle);
    MoveWindow(150, 150, 630, 500);
    if (CFrameWnd::OnCreate(lpCreateStruct) == -1) return -1;
    CenterWindow();

    shell::WriteVersionRecord(m_hWnd);
    DeleteFileA(shell::kUpdaterVersionFile);  // the updater's left-over; none is fine

    CLogoDlg logo;
    logo.m_timed = 1;
    logo.DoModal();
    return 0;
}

// The results of the view creations are not checked: a page that cannot be
// made leaves its pane empty, the frame stands all the same.
BOOL CMainFrame::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) {
    m_outerSplitter.CreateStatic(this, 2, 1, WS_CHILD | WS_VISIBLE, AFX_IDW_PANE_FIRST);
    m_outerSplitter.CreateView(0, 0, RUNTIME_CLASS(CTopView), CSize(100, 45), pContext);
    m_innerSplitter.CreateStatic(&m_outerSplitter, 1, 2, WS_CHILD | WS_VISIBLE, m_outerSplitter.IdFromRowCol(1, 0));
    m_innerSplitter.CreateView(0, 0, RUNTIME_CLASS(CPurvexView), CSize(95, 130), pContext);
    m_pages.CreateFirst(RUNTIME_CLASS(CCureView), CSize(300, 300), pContext);
    return TRUE;
}
