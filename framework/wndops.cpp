// CWnd operations that need more than one line.
#include "framework/internal.h"

CWnd* CWnd::GetDlgItem(int nID) const { return FromHandle(::GetDlgItem(m_hWnd, nID)); }
CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
CWnd* PASCAL CWnd::GetActiveWindow() { return FromHandle(::GetActiveWindow()); }
CWnd* CWnd::SetFocus() { return FromHandle(::SetFocus(m_hWnd)); }

CFrameWnd* CWnd::GetParentFrame() const {
    for (HWND hWnd = ::GetParent(m_hWnd); hWnd != nullptr; hWnd = ::GetParent(hWnd)) {
        if (auto* pFrame = dynamic_cast<CFrameWnd*>(FromHandlePermanent(hWnd))) return pFrame;
    }
    return nullptr;
}

CString PvfxWindowText(HWND hWnd) {
    int length = ::GetWindowTextLengthA(hWnd);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    ::GetWindowTextA(hWnd, &text[0], length + 1);
    return CString(text.c_str());
}

int CWnd::GetDlgItemText(int nID, CString& rString) const {
    HWND hWnd = ::GetDlgItem(m_hWnd, nID);
    rString = hWnd ? PvfxWindowText(hWnd) : CString();
    return rString.GetLength();
}

void CWnd::GetWindowText(CString& rString) const { rString = PvfxWindowText(m_hWnd); }

CFont* CWnd::GetFont() const {
    return CFont::FromHandle(reinterpret_cast<HFONT>(SendMessage(WM_GETFONT, 0, 0)));
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd) {
    DWORD style = GetStyle();
    DWORD newStyle = (style & ~dwRemove) | dwAdd;
    if (style == newStyle) return FALSE;
    ::SetWindowLongPtrA(m_hWnd, GWL_STYLE, static_cast<LONG_PTR>(newStyle));
    return TRUE;
}

void CWnd::CenterWindow() {
    CRect rcWindow;
    ::GetWindowRect(m_hWnd, &rcWindow);
    CRect rcArea;  // screen coordinates to centre within
    CRect rcBounds;
    HWND hParent = (GetStyle() & WS_CHILD) ? ::GetParent(m_hWnd) : nullptr;
    if (hParent != nullptr) {
        ::GetClientRect(hParent, &rcArea);
        ::MapWindowPoints(hParent, nullptr, reinterpret_cast<LPPOINT>(&rcArea), 2);
        rcBounds = rcArea;
    } else {
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcBounds, 0);
        HWND hOwner = ::GetWindow(m_hWnd, GW_OWNER);
        if (hOwner != nullptr && ::IsWindowVisible(hOwner) && !::IsIconic(hOwner))
            ::GetWindowRect(hOwner, &rcArea);
        else
            rcArea = rcBounds;
    }
    int x = (rcArea.left + rcArea.right) / 2 - rcWindow.Width() / 2;
    int y = (rcArea.top + rcArea.bottom) / 2 - rcWindow.Height() / 2;
    if (hParent == nullptr) {  // keep a top-level window on the work area
        if (x + rcWindow.Width() > rcBounds.right) x = rcBounds.right - rcWindow.Width();
        if (y + rcWindow.Height() > rcBounds.bottom) y = rcBounds.bottom - rcWindow.Height();
        if (x < rcBounds.left) x = rcBounds.left;
        if (y < rcBounds.top) y = rcBounds.top;
    } else {
        POINT pt = { x, y };
        ::ScreenToClient(hParent, &pt);
        x = pt.x;
        y = pt.y;
    }
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int CWnd::MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType) {
    if (lpszCaption == nullptr) lpszCaption = AfxGetAppName();
    return ::MessageBoxA(m_hWnd, lpszText, lpszCaption, nType);
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate) {
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return !dx.m_bFailed;
}

void CWnd::DoDataExchange(CDataExchange*) {}
