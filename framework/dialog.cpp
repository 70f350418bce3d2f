// CDialog: modal and modeless dialogs from templates, and data exchange.
#include "framework/internal.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnCmdOK)
    ON_COMMAND(IDCANCEL, OnCmdCancel)
END_MESSAGE_MAP()

HINSTANCE PvfxLoadDialogTemplate(LPCTSTR lpszTemplateName, LPCDLGTEMPLATE* ppTemplate) {
    *ppTemplate = nullptr;
    HINSTANCE hModule = AfxFindResourceHandle(lpszTemplateName, RT_DIALOG);
    if (hModule == nullptr) return nullptr;
    HRSRC hResource = ::FindResourceA(hModule, lpszTemplateName, RT_DIALOG);
    HGLOBAL hGlobal = hResource ? ::LoadResource(hModule, hResource) : nullptr;
    *ppTemplate = hGlobal ? static_cast<LPCDLGTEMPLATE>(::LockResource(hGlobal)) : nullptr;
    return *ppTemplate ? hModule : nullptr;
}

// All other messages reach the object through AfxWndProc before the dialog
// manager sees them; here only WM_INITDIALOG is answered.
INT_PTR CALLBACK PvfxDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM) {
    if (message != WM_INITDIALOG) return FALSE;
    CDialog* pDialog = dynamic_cast<CDialog*>(CWnd::FromHandlePermanent(hWnd));
    return pDialog ? pDialog->OnInitDialog() : FALSE;
}

BOOL PvfxWalkPreTranslateTree(HWND hWndStop, MSG* pMsg) {
    for (HWND hWnd = pMsg->hwnd; hWnd != nullptr; hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        if (pWnd != nullptr && pWnd->PreTranslateMessage(pMsg)) return TRUE;
        if (hWnd == hWndStop) break;
    }
    return FALSE;
}

void PvfxRunModalLoop(HWND hWndStop, const BOOL* pbDone) {
    MSG msg;
    while (!*pbDone) {
        if (!::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) PvfxGetThreadState()->temps.Clear();
        if (!::GetMessageA(&msg, nullptr, 0, 0)) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (!PvfxWalkPreTranslateTree(hWndStop, &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_pParentWnd(pParentWnd), m_lpszTemplateName(MAKEINTRESOURCE(nIDTemplate)) {}

BOOL CDialog::CreateFromTemplate(HWND hWndParent) {
    LPCDLGTEMPLATE pTemplate = nullptr;
    HINSTANCE hModule = PvfxLoadDialogTemplate(m_lpszTemplateName, &pTemplate);
    if (hModule == nullptr) return FALSE;
    PvfxHookWindowCreate(this);
    HWND hWnd = ::CreateDialogIndirectParamA(hModule, pTemplate, hWndParent, &PvfxDlgProc, 0);
    PvfxUnhookWindowCreate();
    return hWnd != nullptr && m_hWnd == hWnd;
}

INT_PTR CDialog::DoModal() {
    CWnd* pMain = AfxGetMainWnd();
    HWND hOwner = m_pParentWnd ? m_pParentWnd->m_hWnd : (pMain ? pMain->m_hWnd : nullptr);
    if (hOwner != nullptr) hOwner = ::GetAncestor(hOwner, GA_ROOT);
    BOOL bEnableOwner = hOwner != nullptr && ::IsWindowEnabled(hOwner);
    if (bEnableOwner) ::EnableWindow(hOwner, FALSE);

    m_bEndModal = FALSE;
    m_nModalResult = -1;
    m_bInModalLoop = TRUE;
    if (CreateFromTemplate(hOwner) && !m_bEndModal) {
        if (!::IsWindowVisible(m_hWnd)) ::ShowWindow(m_hWnd, SW_SHOWNORMAL);
        PvfxRunModalLoop(m_hWnd, &m_bEndModal);
    }
    m_bInModalLoop = FALSE;

    if (bEnableOwner) ::EnableWindow(hOwner, TRUE);
    if (m_hWnd != nullptr) {
        if (hOwner != nullptr && ::GetActiveWindow() == m_hWnd) ::SetActiveWindow(hOwner);
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
        DestroyWindow();
    }
    return m_nModalResult;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd) {
    m_lpszTemplateName = MAKEINTRESOURCE(nIDTemplate);
    if (pParentWnd == nullptr) pParentWnd = AfxGetMainWnd();
    m_pParentWnd = pParentWnd;
    return CreateFromTemplate(PvfxHwnd(pParentWnd));
}

void CDialog::EndDialog(int nResult) {
    if (m_bInModalLoop) {
        m_nModalResult = nResult;
        m_bEndModal = TRUE;
        ::PostMessageA(m_hWnd, WM_NULL, 0, 0);  // wakes the modal loop
    } else if (m_hWnd != nullptr) {
        ::ShowWindow(m_hWnd, SW_HIDE);
    }
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::PreTranslateMessage(MSG* pMsg) {
    bool input = (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST) ||
                 (pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST);
    return input && ::IsDialogMessageA(m_hWnd, pMsg);
}

// ---- data exchange ------------------------------------------------------------

namespace {

// The control nIDC of the dialog, or NULL (and the pass fails) when there is none.
HWND PrepareCtrl(CDataExchange* pDX, int nIDC) {
    HWND hWnd = ::GetDlgItem(pDX->m_pDlgWnd->m_hWnd, nIDC);
    if (hWnd == nullptr) pDX->m_bFailed = TRUE;
    return hWnd;
}

}  // namespace

void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
    if (rControl.m_hWnd != nullptr) return;
    HWND hWnd = PrepareCtrl(pDX, nIDC);
    if (hWnd == nullptr || !rControl.SubclassWindow(hWnd)) pDX->m_bFailed = TRUE;
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value) {
    HWND hWnd = PrepareCtrl(pDX, nIDC);
    if (hWnd == nullptr) return;
    if (pDX->m_bSaveAndValidate)
        value = PvfxWindowText(hWnd);
    else
        ::SetWindowTextA(hWnd, value);
}

void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value) {
    HWND hWnd = PrepareCtrl(pDX, nIDC);
    if (hWnd == nullptr) return;
    if (pDX->m_bSaveAndValidate)
        value = static_cast<int>(::SendMessageA(hWnd, BM_GETCHECK, 0, 0));
    else
        ::SendMessageA(hWnd, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

void AFXAPI DDX_Radio(CDataExchange* pDX, int nIDC, int& value) {
    HWND hWnd = PrepareCtrl(pDX, nIDC);
    if (hWnd == nullptr) return;
    if (pDX->m_bSaveAndValidate) value = -1;
    int index = 0;
    do {
        if (::SendMessageA(hWnd, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) {
            if (pDX->m_bSaveAndValidate) {
                if (::SendMessageA(hWnd, BM_GETCHECK, 0, 0) != BST_UNCHECKED) value = index;
            } else {
                ::SendMessageA(hWnd, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
            }
            ++index;
        }
        hWnd = ::GetWindow(hWnd, GW_HWNDNEXT);
    } while (hWnd != nullptr && !(::GetWindowLongPtrA(hWnd, GWL_STYLE) & WS_GROUP));
}
