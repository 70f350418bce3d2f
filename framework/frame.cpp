// CFrameWnd: the main window of the document machinery.
#include "framework/internal.h"

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
    ON_WM_CLOSE()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

namespace {

HMENU LoadMenuFromChain(LPCTSTR lpszName) {
    HINSTANCE hModule = AfxFindResourceHandle(lpszName, RT_MENU);
    return hModule ? ::LoadMenuA(hModule, lpszName) : nullptr;
}

// Depth-first: the first bound view among hWnd's descendants.
CView* FindFirstView(HWND hWnd) {
    for (HWND hChild = ::GetTopWindow(hWnd); hChild != nullptr; hChild = ::GetNextWindow(hChild, GW_HWNDNEXT)) {
        if (CView* pView = dynamic_cast<CView*>(CWnd::FromHandlePermanent(hChild))) return pView;
        if (CView* pView = FindFirstView(hChild)) return pView;
    }
    return nullptr;
}

}  // namespace

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
    if (cs.lpszClass == nullptr) cs.lpszClass = PvfxFrameOrViewClass();
    if (cs.style & FWS_ADDTOTITLE) cs.style |= FWS_PREFIXTITLE;
    cs.dwExStyle |= WS_EX_CLIENTEDGE;
    return TRUE;
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext) {
    m_nIDHelp = nIDResource;
    CString title;
    if (title.LoadString(nIDResource)) {
        int newline = title.Find('\n');
        if (newline >= 0) title = title.Left(newline);
    }
    m_strTitle = title;
    HMENU hMenu = LoadMenuFromChain(MAKEINTRESOURCE(nIDResource));
    if (!CreateEx(0, nullptr, m_strTitle, dwDefaultStyle, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                  CW_USEDEFAULT, pParentWnd->GetSafeHwnd(), hMenu, pContext)) {
        return FALSE;
    }
    HINSTANCE hIconModule = AfxFindResourceHandle(MAKEINTRESOURCE(nIDResource), RT_GROUP_ICON);
    if (hIconModule != nullptr) {
        HICON hIcon = ::LoadIconA(hIconModule, MAKEINTRESOURCE(nIDResource));
        SetIcon(hIcon, TRUE);
        SetIcon(hIcon, FALSE);
    }
    return TRUE;
}

BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCTSTR lpszMenuName, DWORD dwExStyle, CCreateContext* pContext) {
    m_strTitle = lpszWindowName;
    HMENU hMenu = lpszMenuName ? LoadMenuFromChain(lpszMenuName) : nullptr;
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, pParentWnd->GetSafeHwnd(), hMenu, pContext);
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpcs) {
    if (CWnd::OnCreate(lpcs) == -1) return -1;
    if (!OnCreateClient(lpcs, static_cast<CCreateContext*>(lpcs->lpCreateParams))) return -1;
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) {
    if (pContext != nullptr && pContext->m_pNewViewClass != nullptr)
        return CreateView(pContext, AFX_IDW_PANE_FIRST) != nullptr;
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID) {
    CWnd* pView = dynamic_cast<CWnd*>(pContext->m_pNewViewClass->CreateObject());
    if (pView == nullptr) return nullptr;
    // On failure the view has deleted itself (PostNcDestroy).
    if (!pView->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 0, 0), this, nID, pContext)) return nullptr;
    return pView;
}

void CFrameWnd::RecalcLayout(BOOL) {
    HWND hPane = ::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST);
    if (hPane == nullptr) return;
    CRect rect;
    GetClientRect(&rect);
    ::MoveWindow(hPane, rect.left, rect.top, rect.Width(), rect.Height(), TRUE);
}

void CFrameWnd::OnSize(UINT nType, int, int) {
    Default();
    if (nType != SIZE_MINIMIZED) RecalcLayout();
}

void CFrameWnd::OnSetFocus(CWnd* pOldWnd) {
    if (m_pViewActive != nullptr && m_pViewActive->m_hWnd != nullptr) m_pViewActive->SetFocus();
    else CWnd::OnSetFocus(pOldWnd);
}

void CFrameWnd::OnClose() { DestroyWindow(); }

BOOL CFrameWnd::OnEraseBkgnd(CDC* pDC) {
    if (m_pViewActive != nullptr) return TRUE;  // the view paints the client area
    return CWnd::OnEraseBkgnd(pDC);
}

void CFrameWnd::PostNcDestroy() { delete this; }

CDocument* CFrameWnd::GetActiveDocument() {
    return m_pViewActive ? m_pViewActive->GetDocument() : nullptr;
}

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify) {
    CView* pViewOld = m_pViewActive;
    if (pViewNew == pViewOld) return;
    m_pViewActive = pViewNew;
    if (bNotify && pViewOld != nullptr && pViewOld->m_hWnd != nullptr) pViewOld->OnActivateView(FALSE, pViewNew, pViewOld);
    if (bNotify && pViewNew != nullptr) pViewNew->OnActivateView(TRUE, pViewNew, pViewOld);
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible) {
    CView* pView = m_pViewActive;
    if (pView == nullptr) {
        pView = FindFirstView(m_hWnd);
        if (pView != nullptr) SetActiveView(pView, FALSE);
    }
    SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    OnUpdateFrameTitle(TRUE);
    if (bMakeVisible) {
        int nCmdShow = -1;
        CWinApp* pApp = AfxGetApp();
        if (pApp != nullptr && pApp->m_pMainWnd == this && pApp->m_nCmdShow != -1) {
            nCmdShow = pApp->m_nCmdShow;  // the show command the program was started with, once
            pApp->m_nCmdShow = -1;
        }
        ActivateFrame(nCmdShow);
        if (pView != nullptr) pView->OnActivateView(TRUE, pView, pView);
    }
    (void)pDoc;
}

void CFrameWnd::ActivateFrame(int nCmdShow) {
    if (nCmdShow == -1) {
        if (!IsWindowVisible()) nCmdShow = SW_SHOWNORMAL;
        else if (IsIconic()) nCmdShow = SW_RESTORE;
    }
    if (nCmdShow != -1) ShowWindow(nCmdShow);
    ::BringWindowToTop(m_hWnd);
}

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle) {
    if (!(GetStyle() & FWS_ADDTOTITLE)) return;  // the program sets its own caption
    CDocument* pDoc = GetActiveDocument();
    if (!bAddToTitle || pDoc == nullptr) {
        SetWindowText(m_strTitle);
        return;
    }
    CString caption = (GetStyle() & FWS_PREFIXTITLE) ? pDoc->GetTitle() + " - " + m_strTitle
                                                      : m_strTitle + " - " + pDoc->GetTitle();
    SetWindowText(caption);
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (m_pViewActive != nullptr && m_pViewActive->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo)) return TRUE;
    CWinApp* pApp = AfxGetApp();
    return pApp != nullptr && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
