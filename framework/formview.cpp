// CFormView: a view made from a child dialog template.
#include "framework/internal.h"
#include "framework/afxext.h"

IMPLEMENT_DYNAMIC(CFormView, CView)

CFormView::CFormView(UINT nIDTemplate) : m_lpszTemplateName(MAKEINTRESOURCE(nIDTemplate)) {}

BOOL CFormView::Create(LPCTSTR, LPCTSTR, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                       CCreateContext* pContext) {
    LPCDLGTEMPLATE pTemplate = nullptr;
    HINSTANCE hModule = PvfxLoadDialogTemplate(m_lpszTemplateName, &pTemplate);
    if (hModule == nullptr) {
        PostNcDestroy();  // as for any view whose window cannot be made
        return FALSE;
    }
    PvfxHookWindowCreate(this);
    HWND hWnd = ::CreateDialogIndirectParamA(hModule, pTemplate, PvfxHwnd(pParentWnd), &PvfxDlgProc, 0);
    bool bBound = PvfxGetThreadState()->pWndInit == nullptr;
    PvfxUnhookWindowCreate();
    if (hWnd == nullptr) {
        if (!bBound) PostNcDestroy();
        return FALSE;
    }
    CRect rcTemplate;
    GetWindowRect(&rcTemplate);
    m_totalSize = CSize(rcTemplate.Width(), rcTemplate.Height());
    ::SetWindowLongPtrA(m_hWnd, GWLP_ID, nID);
    LONG_PTR exStyle = ::GetWindowLongPtrA(m_hWnd, GWL_EXSTYLE);
    if ((dwStyle & WS_BORDER) && !(exStyle & WS_EX_CLIENTEDGE)) {  // a sunken edge, as other views get
        ::SetWindowLongPtrA(m_hWnd, GWL_EXSTYLE, exStyle | WS_EX_CLIENTEDGE);
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    ::SetWindowPos(m_hWnd, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    if (pContext != nullptr && pContext->m_pCurrentDoc != nullptr) pContext->m_pCurrentDoc->AddView(this);
    if (dwStyle & WS_VISIBLE) ShowWindow(SW_SHOWNORMAL);
    return TRUE;
}

void CFormView::OnInitialUpdate() {
    UpdateData(FALSE);
    CView::OnInitialUpdate();
}

BOOL CFormView::PreTranslateMessage(MSG* pMsg) {
    bool input = (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) ||
                 (pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST);
    return input && ::IsDialogMessageA(m_hWnd, pMsg);
}

void CFormView::OnDraw(CDC*) {}

void CFormView::ResizeParentToFit(BOOL bShrinkOnly) {
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame == nullptr) return;
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    // The template's size was measured as a window size; compare like with like.
    int dx = m_totalSize.cx - rcWindow.Width();
    int dy = m_totalSize.cy - rcWindow.Height();
    if (bShrinkOnly) {
        if (dx > 0) dx = 0;
        if (dy > 0) dy = 0;
    }
    if (dx == 0 && dy == 0) return;
    CRect rcFrame;
    pFrame->GetWindowRect(&rcFrame);
    pFrame->SetWindowPos(nullptr, 0, 0, rcFrame.Width() + dx, rcFrame.Height() + dy,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}
