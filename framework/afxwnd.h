// CCmdTarget and CWnd: a C++ object bound to a window.
//
// Binding: a CWnd is bound to its window once, when the window is created
// through Create/CreateEx (or a dialog through CDialog/CFormView), or when an
// existing window is subclassed. The object pointer is kept in a window
// property and, for a subclassed window, in its user data too (read for every
// message: a property is a round trip to the server under Wine); the window
// procedure becomes AfxWndProc, which hands every message to WindowProc ->
// OnWndMsg, the single dispatcher over the message maps.
// At WM_NCDESTROY the binding is undone and PostNcDestroy runs (frames and
// views delete themselves there).
#pragma once
#include "framework/afxmsg.h"
#include "framework/afxobj.h"
#include "framework/afxstr.h"
#include "framework/afxtypes.h"
#include "framework/afxgdi.h"

class CFrameWnd;
class CDataExchange;
struct CCreateContext;

class PVFX_API CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
protected:
    // Routes a command (nCode CN_COMMAND or a control notification code) or a
    // notification (nCode MAKELONG(code, WM_NOTIFY), pExtra an AFX_NOTIFY*)
    // to this object's message map. TRUE when a handler took it.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra);

    static const AFX_MSGMAP* PASCAL GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
    friend class CWnd;
    friend class CView;  // routes to its document
};

class PVFX_API CWnd : public CCmdTarget {
    DECLARE_DYNCREATE(CWnd)
public:
    CWnd() = default;
    ~CWnd() override;  // destroys a still-bound window

    HWND m_hWnd = nullptr;

    operator HWND() const { return m_hWnd; }

    // The bound object of hWnd, or a temporary wrapper (see afxgdi.h on
    // temporaries) when it has none. NULL for a NULL handle.
    static CWnd* PASCAL FromHandle(HWND hWnd);
    // The bound object of hWnd in this process, or NULL.
    static CWnd* PASCAL FromHandlePermanent(HWND hWnd);

    // A child window; lpszClassName NULL uses the framework's default class.
    // pContext reaches OnCreate as lpCreateStruct->lpCreateParams. On failure
    // PostNcDestroy has run (views have deleted themselves).
    virtual BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                        const RECT& rect, CWnd* pParentWnd, UINT nID, CCreateContext* pContext = NULL);
    virtual BOOL DestroyWindow();

    // Binds an existing window and routes its messages through this object.
    BOOL SubclassWindow(HWND hWnd);

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::SendMessageA(m_hWnd, message, wParam, lParam);
    }
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return ::PostMessageA(m_hWnd, message, wParam, lParam);
    }
    // The default processing of the message being handled now.
    LRESULT Default();
    // Offered every message for this window (or one of its children) before
    // it is dispatched; TRUE when it was handled here.
    virtual BOOL PreTranslateMessage(MSG* pMsg);

    DWORD GetStyle() const { return (DWORD)::GetWindowLongPtrA(m_hWnd, GWL_STYLE); }
    // Changes style bits; FALSE when nothing changed.
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd);
    CWnd* GetDlgItem(int nID) const;
    void SetDlgItemText(int nID, LPCTSTR lpszString) { ::SetDlgItemTextA(m_hWnd, nID, lpszString); }
    int GetDlgItemText(int nID, CString& rString) const;
    UINT IsDlgButtonChecked(int nIDButton) const { return ::IsDlgButtonChecked(m_hWnd, nIDButton); }
    CWnd* GetParent() const;
    // The nearest enclosing CFrameWnd (bound objects only), or NULL.
    CFrameWnd* GetParentFrame() const;
    static CWnd* PASCAL GetActiveWindow();
    BOOL IsIconic() const { return ::IsIconic(m_hWnd); }

    void SetWindowText(LPCTSTR lpszString) { ::SetWindowTextA(m_hWnd, lpszString); }
    void GetWindowText(CString& rString) const;
    CFont* GetFont() const;
    HICON SetIcon(HICON hIcon, BOOL bBigIcon) {
        return (HICON)SendMessage(WM_SETICON, bBigIcon ? ICON_BIG : ICON_SMALL, (LPARAM)hIcon);
    }

    BOOL ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
    BOOL EnableWindow(BOOL bEnable = TRUE) { return ::EnableWindow(m_hWnd, bEnable); }
    void MoveWindow(int x, int y, int nWidth, int nHeight, BOOL bRepaint = TRUE) {
        ::MoveWindow(m_hWnd, x, y, nWidth, nHeight, bRepaint);
    }
    BOOL SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags) {
        return ::SetWindowPos(m_hWnd, pWndInsertAfter ? pWndInsertAfter->m_hWnd : nullptr, x, y, cx, cy, nFlags);
    }
    void GetClientRect(LPRECT lpRect) const { ::GetClientRect(m_hWnd, lpRect); }
    void GetWindowRect(LPRECT lpRect) const { ::GetWindowRect(m_hWnd, lpRect); }
    void ScreenToClient(LPPOINT lpPoint) const { ::ScreenToClient(m_hWnd, lpPoint); }
    void ClientToScreen(LPPOINT lpPoint) const { ::ClientToScreen(m_hWnd, lpPoint); }
    // Centres a top-level window on its owner (the screen's work area when it
    // has none or the owner is hidden or minimised) and keeps it on the work
    // area; a child on its parent's client area.
    void CenterWindow();

    void Invalidate(BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, bErase); }
    void InvalidateRect(LPCRECT lpRect, BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, lpRect, bErase); }
    void UpdateWindow() { ::UpdateWindow(m_hWnd); }
    BOOL RedrawWindow(LPCRECT lpRectUpdate, HRGN hrgnUpdate, UINT flags) {
        return ::RedrawWindow(m_hWnd, lpRectUpdate, hrgnUpdate, flags);
    }

    UINT_PTR SetTimer(UINT_PTR nIDEvent, UINT nElapse, TIMERPROC lpfnTimer = NULL) {
        return ::SetTimer(m_hWnd, nIDEvent, nElapse, lpfnTimer);
    }
    BOOL KillTimer(UINT_PTR nIDEvent) { return ::KillTimer(m_hWnd, nIDEvent); }

    CWnd* SetFocus();

    // A message box owned by this window; no caption gives the application title.
    int MessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption = NULL, UINT nType = MB_OK);

    // Dialog data exchange: TRUE when every DDX step succeeded.
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

protected:
    // A window of any kind; its procedure becomes AfxWndProc before its
    // first message. lpParam reaches OnCreate as lpCreateStruct->lpCreateParams.
    BOOL CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                  int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                  LPVOID lpParam = NULL);

    // The message path: WindowProc asks OnWndMsg, the dispatcher over the
    // message maps, and gives what no handler took to DefWindowProc.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // Called on a control for WM_COMMAND, WM_NOTIFY and WM_DRAWITEM its parent
    // received from it; TRUE when the control handled the message itself.
    // The default looks the message up among the control's reflect entries.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

    virtual void DoDataExchange(CDataExchange* pDX);
    // Adjusts the creation parameters; the default fills in the default class.
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    // Called after SubclassWindow/DDX_Control bound an existing window.
    virtual void PreSubclassWindow();
    // Called after WM_NCDESTROY, when the object is no longer bound.
    virtual void PostNcDestroy();

    // Default handlers: each passes the message on to the default processing.
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnPaint();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnDestroy();
    afx_msg void OnSysCommand(UINT nID, LPARAM lParam);
    afx_msg HCURSOR OnQueryDragIcon();
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg void OnCancelMode();
    afx_msg void OnSysColorChange();
    // Reflects the message to the control (OnChildNotify), else passes it on.
    afx_msg void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct);
    afx_msg void OnClose();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);

    WNDPROC m_pfnSuper = nullptr;  // the window procedure replaced by subclassing

    DECLARE_MESSAGE_MAP()

private:
    BOOL BindWindow(HWND hWnd, BOOL bSubclass);  // shared by creation and subclassing
    HWND Unbind();                                // undoes BindWindow, returns the window
    void HandleNcDestroy();
    friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);
    friend struct PvfxWindowBinding;
    friend class CDialog;
    friend class CFormView;
};
