// CDialog: modal and modeless dialogs from templates, and data exchange.
#include "framework/internal.h"
#include <cerrno>
#include <cstdlib>

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
    : m_lpszTemplateName(MAKEINTRESOURCE(nIDTemplate)), m_nIDHelp(nIDTemplate), m_pParentWnd(pParentWnd) {}

CDialog::CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
    : m_lpszTemplateName(lpszTemplateName), m_pParentWnd(pParentWnd) {}

BOOL CDialog::CreateFromTemplate(LPCTSTR lpszTemplateName, HWND hWndParent) {
    LPCDLGTEMPLATE pTemplate = nullptr;
    HINSTANCE hModule = PvfxLoadDialogTemplate(lpszTemplateName, &pTemplate);
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
    if (CreateFromTemplate(m_lpszTemplateName, hOwner) && !m_bEndModal) {
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
    m_nIDHelp = nIDTemplate;
    return Create(MAKEINTRESOURCE(nIDTemplate), pParentWnd);
}

BOOL CDialog::Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd) {
    m_lpszTemplateName = lpszTemplateName;
    if (pParentWnd == nullptr) pParentWnd = AfxGetMainWnd();
    m_pParentWnd = pParentWnd;
    return CreateFromTemplate(lpszTemplateName, pParentWnd ? pParentWnd->m_hWnd : nullptr);
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

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

HWND CDataExchange::PrepareCtrl(int nIDC) {
    HWND hWnd = ::GetDlgItem(m_pDlgWnd->m_hWnd, nIDC);
    if (hWnd == nullptr) m_bFailed = TRUE;
    m_hWndLastControl = hWnd;
    return hWnd;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC) { return PrepareCtrl(nIDC); }

void CDataExchange::Fail() {
    m_bFailed = TRUE;
    if (m_bSaveAndValidate && m_hWndLastControl != nullptr) {
        ::SetFocus(m_hWndLastControl);
        ::SendMessageA(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
}

void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
    if (rControl.m_hWnd != nullptr) return;
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (hWnd == nullptr || !rControl.SubclassWindow(hWnd)) pDX->m_bFailed = TRUE;
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value) {
    HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (hWnd == nullptr) return;
    if (pDX->m_bSaveAndValidate) {
        int length = ::GetWindowTextLengthA(hWnd);
        ::GetWindowTextA(hWnd, value.GetBuffer(length), length + 1);
        value.ReleaseBuffer();
    } else {
        ::SetWindowTextA(hWnd, value);
    }
}

namespace {

// Reads a whole number with optional surrounding blanks.
bool ParseNumber(HWND hWnd, bool bSigned, long long* pValue) {
    char text[64] = {};
    ::GetWindowTextA(hWnd, text, sizeof(text));
    char* end = nullptr;
    errno = 0;
    long long v = std::strtoll(text, &end, 10);
    if (end == text || errno != 0) return false;
    while (*end == ' ' || *end == '\t') ++end;
    if (*end != '\0') return false;
    if (bSigned ? (v < INT_MIN || v > INT_MAX) : (v < 0 || v > UINT_MAX)) return false;
    *pValue = v;
    return true;
}

void FailNumber(CDataExchange* pDX) {
    AfxMessageBox("정수를 입력하십시오.", MB_ICONEXCLAMATION);
    pDX->Fail();
}

}  // namespace

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value) {
    HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (hWnd == nullptr) return;
    if (pDX->m_bSaveAndValidate) {
        long long v = 0;
        if (ParseNumber(hWnd, true, &v)) value = static_cast<int>(v); else FailNumber(pDX);
    } else {
        CString text;
        text.Format("%d", value);
        ::SetWindowTextA(hWnd, text);
    }
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, UINT& value) {
    HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (hWnd == nullptr) return;
    if (pDX->m_bSaveAndValidate) {
        long long v = 0;
        if (ParseNumber(hWnd, false, &v)) value = static_cast<UINT>(v); else FailNumber(pDX);
    } else {
        CString text;
        text.Format("%u", value);
        ::SetWindowTextA(hWnd, text);
    }
}

void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value) {
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (hWnd == nullptr) return;
    if (pDX->m_bSaveAndValidate)
        value = static_cast<int>(::SendMessageA(hWnd, BM_GETCHECK, 0, 0));
    else
        ::SendMessageA(hWnd, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

void AFXAPI DDX_Radio(CDataExchange* pDX, int nIDC, int& value) {
    HWND hWnd = pDX->PrepareCtrl(nIDC);
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
