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

// Sends message to every bound window below hWnd, depth first.
void SendToBoundDescendants(HWND hWnd, UINT message) {
    for (HWND hChild = ::GetTopWindow(hWnd); hChild != nullptr; hChild = ::GetNextWindow(hChild, GW_HWNDNEXT)) {
        if (CWnd::FromHandlePermanent(hChild) != nullptr) ::SendMessageA(hChild, message, 0, 0);
        SendToBoundDescendants(hChild, message);
    }
}

}  // namespace

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs) {
    if (cs.lpszClass == nullptr) cs.lpszClass = PvfxFrameOrViewClass();
    if (cs.style & FWS_ADDTOTITLE) cs.style |= FWS_PREFIXTITLE;
    cs.dwExStyle |= WS_EX_CLIENTEDGE;
    return TRUE;
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, CCreateContext* pContext) {
    CString title;
    if (title.LoadString(nIDResource)) {
        int newline = title.Find('\n');
        if (newline >= 0) title = CString(title, newline);
    }
    m_strTitle = title;
    HMENU hMenu = LoadMenuFromChain(MAKEINTRESOURCE(nIDResource));
    if (!CreateEx(0, nullptr, m_strTitle, WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE, CW_USEDEFAULT, CW_USEDEFAULT,
                  CW_USEDEFAULT, CW_USEDEFAULT, nullptr, hMenu, pContext)) {
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
                    rect.bottom - rect.top, PvfxHwnd(pParentWnd), hMenu, pContext);
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpcs) {
    if (CWnd::OnCreate(lpcs) == -1) return -1;
    if (!OnCreateClient(lpcs, static_cast<CCreateContext*>(lpcs->lpCreateParams))) return -1;
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext) {
    if (pContext == nullptr || pContext->m_pNewViewClass == nullptr) return TRUE;
    CWnd* pView = dynamic_cast<CWnd*>(PvfxCreateObject(pContext->m_pNewViewClass));
    // On failure the view has deleted itself (PostNcDestroy).
    return pView != nullptr &&
           pView->Create(nullptr, nullptr, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 0, 0), this, AFX_IDW_PANE_FIRST, pContext);
}

void CFrameWnd::RecalcLayout() {
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

CDocument* CFrameWnd::GetActiveDocument() const {
    return m_pViewActive ? m_pViewActive->GetDocument() : nullptr;
}

// The view that gets the focus and routed commands.
void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify) {
    if (pViewNew == m_pViewActive) return;
    m_pViewActive = pViewNew;
    if (bNotify && pViewNew != nullptr) pViewNew->SetFocus();
}

void CFrameWnd::InitialUpdateFrame(CDocument*, BOOL bMakeVisible) {
    CView* pView = m_pViewActive;
    if (pView == nullptr) {
        pView = FindFirstView(m_hWnd);
        if (pView != nullptr) SetActiveView(pView, FALSE);
    }
    SendToBoundDescendants(m_hWnd, WM_INITIALUPDATE);
    UpdateFrameTitle();
    if (bMakeVisible) {
        int nCmdShow = -1;
        CWinApp* pApp = AfxGetApp();
        if (pApp != nullptr && pApp->m_pMainWnd == this && pApp->m_nCmdShow != -1) {
            nCmdShow = pApp->m_nCmdShow;  // the show command the program was started with, once
            pApp->m_nCmdShow = -1;
        }
        ActivateFrame(nCmdShow);
        if (pView != nullptr) pView->SetFocus();
    }
}

void CFrameWnd::ActivateFrame(int nCmdShow) {
    if (nCmdShow == -1) {
        if (!::IsWindowVisible(m_hWnd)) nCmdShow = SW_SHOWNORMAL;
        else if (IsIconic()) nCmdShow = SW_RESTORE;
    }
    if (nCmdShow != -1) ShowWindow(nCmdShow);
    ::BringWindowToTop(m_hWnd);
}

// Without FWS_ADDTOTITLE the program sets its own caption.
void CFrameWnd::UpdateFrameTitle() {
    if (!(GetStyle() & FWS_ADDTOTITLE)) return;
    CDocument* pDoc = GetActiveDocument();
    if (pDoc == nullptr) {
        SetWindowText(m_strTitle);
        return;
    }
    CString caption = (GetStyle() & FWS_PREFIXTITLE) ? pDoc->m_strTitle + " - " + m_strTitle
                                                      : m_strTitle + " - " + pDoc->m_strTitle;
    SetWindowText(caption);
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra) {
    if (m_pViewActive != nullptr && m_pViewActive->OnCmdMsg(nID, nCode, pExtra)) return TRUE;
    return CWnd::OnCmdMsg(nID, nCode, pExtra);
}
