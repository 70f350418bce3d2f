// CDialog and dialog data exchange.
//
// Templates named by id are looked up in the executable first, then in the
// extension modules (see AfxFindResourceHandle in afxapp.h). The dialog's
// window is bound to the object before WM_INITDIALOG, which calls
// OnInitDialog; commands and notifications of its controls reach its message
// map. IDOK and IDCANCEL call the virtual OnOK and OnCancel.
#pragma once
#include "framework/afxwnd.h"

class PVFX_API CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog() = default;
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = NULL);
    explicit CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd = NULL);

    // Modal: runs until EndDialog and returns its result; -1 when the template
    // is missing or the window cannot be created. The owner (the parent given
    // at construction, else the main window) is disabled meanwhile.
    virtual INT_PTR DoModal();
    // Modeless: creates the dialog as a child or popup of pParentWnd (NULL:
    // the main window). Returns FALSE on failure.
    BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = NULL);
    BOOL Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd = NULL);
    // Ends a modal loop with nResult; a modeless dialog is only hidden.
    void EndDialog(int nResult);

    virtual BOOL OnInitDialog();  // runs UpdateData(FALSE); TRUE: focus the first control
    BOOL PreTranslateMessage(MSG* pMsg) override;

    void NextDlgCtrl() const { ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 0, 0); }
    void PrevDlgCtrl() const { ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 1, 0); }
    void GotoDlgCtrl(CWnd* pWndCtrl) { ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, (WPARAM)pWndCtrl->m_hWnd, 1); }
    void SetDefID(UINT nID) { ::SendMessageA(m_hWnd, DM_SETDEFID, nID, 0); }
    DWORD GetDefID() const { return (DWORD)::SendMessageA(m_hWnd, DM_GETDEFID, 0, 0); }
    void MapDialogRect(LPRECT lpRect) const { ::MapDialogRect(m_hWnd, lpRect); }

protected:
    virtual void OnOK();      // UpdateData(TRUE), then EndDialog(IDOK)
    virtual void OnCancel();  // EndDialog(IDCANCEL)

    LPCTSTR m_lpszTemplateName = nullptr;
    UINT m_nIDHelp = 0;
    CWnd* m_pParentWnd = nullptr;

    DECLARE_MESSAGE_MAP()

private:
    afx_msg void OnCmdOK() { OnOK(); }
    afx_msg void OnCmdCancel() { OnCancel(); }
    BOOL CreateFromTemplate(LPCTSTR lpszTemplateName, HWND hWndParent);
    BOOL m_bInModalLoop = FALSE;
    BOOL m_bEndModal = FALSE;
    INT_PTR m_nModalResult = -1;
    friend class CFormView;
};

// Carries the direction of one UpdateData pass through DoDataExchange.
class PVFX_API CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate);

    BOOL m_bSaveAndValidate;  // TRUE: controls -> members; FALSE: members -> controls
    CWnd* m_pDlgWnd;
    BOOL m_bFailed = FALSE;   // set by Fail(); UpdateData then returns FALSE

    // The control's window, or NULL (and the pass fails) when there is none.
    HWND PrepareCtrl(int nIDC);
    HWND PrepareEditCtrl(int nIDC);
    // Marks the pass failed and puts the focus on the last prepared control.
    // Unlike MFC it does not throw: later DDX calls still run.
    void Fail();

private:
    HWND m_hWndLastControl = nullptr;
};

// Binds rControl to the dialog's control nIDC by subclassing it (only the
// first time; later passes do nothing).
PVFX_API void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
PVFX_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
// A text that is not a whole number shows a message box and fails the pass,
// leaving value unchanged.
PVFX_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value);
PVFX_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, UINT& value);
// value: BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE.
PVFX_API void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// nIDC names the first radio button of a group (WS_GROUP); value is the index
// of the checked button in the group, or -1 when none is checked.
PVFX_API void AFXAPI DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
