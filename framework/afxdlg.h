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
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = NULL);

    // Modal: runs until EndDialog and returns its result; -1 when the template
    // is missing or the window cannot be created. The owner (the parent given
    // at construction, else the main window) is disabled meanwhile.
    virtual INT_PTR DoModal();
    // Modeless: creates the dialog as a child or popup of pParentWnd (NULL:
    // the main window). Returns FALSE on failure.
    BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = NULL);
    // Ends a modal loop with nResult; a modeless dialog is only hidden.
    void EndDialog(int nResult);

    virtual BOOL OnInitDialog();  // runs UpdateData(FALSE); TRUE: focus the first control
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    CDialog() = default;  // for dialogs the system runs (CFileDialog)
    virtual void OnOK();      // UpdateData(TRUE), then EndDialog(IDOK)
    virtual void OnCancel();  // EndDialog(IDCANCEL)

    CWnd* m_pParentWnd = nullptr;

    DECLARE_MESSAGE_MAP()

private:
    afx_msg void OnCmdOK() { OnOK(); }
    afx_msg void OnCmdCancel() { OnCancel(); }
    BOOL CreateFromTemplate(HWND hWndParent);
    LPCTSTR m_lpszTemplateName = nullptr;
    BOOL m_bInModalLoop = FALSE;
    BOOL m_bEndModal = FALSE;
    INT_PTR m_nModalResult = -1;
};

// Carries the direction of one UpdateData pass through DoDataExchange.
class PVFX_API CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
        : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

    BOOL m_bSaveAndValidate;  // TRUE: controls -> members; FALSE: members -> controls
    CWnd* m_pDlgWnd;
    BOOL m_bFailed = FALSE;   // a control was missing; UpdateData then returns FALSE
};

// Binds rControl to the dialog's control nIDC by subclassing it (only the
// first time; later passes do nothing).
PVFX_API void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);
PVFX_API void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
// value: BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE.
PVFX_API void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value);
// nIDC names the first radio button of a group (WS_GROUP); value is the index
// of the checked button in the group, or -1 when none is checked.
PVFX_API void AFXAPI DDX_Radio(CDataExchange* pDX, int nIDC, int& value);
