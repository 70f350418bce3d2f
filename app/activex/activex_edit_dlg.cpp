#include "app/activex/activex_edit_dlg.h"

#include "app/activex/activex_texts.h"
#include "app/activex/entry_check.h"
#include "base/path_text.h"
#include "kordon/kordon.h"
#include "ui/page_chrome.h"

namespace {
constexpr COLORREF kDialogColour = RGB(240, 240, 255);
constexpr int kFields[] = {IDC_ACTIVEX_NAME, IDC_ACTIVEX_CLSID, IDC_ACTIVEX_ALTERNATE};
}  // namespace

BEGIN_MESSAGE_MAP(CActiveXEditDlg, CDialog)
    ON_WM_CTLCOLOR()
    ON_EN_CHANGE(IDC_ACTIVEX_NAME, OnChangeName)
    ON_EN_CHANGE(IDC_ACTIVEX_CLSID, OnChangeClsid)
    ON_EN_CHANGE(IDC_ACTIVEX_ALTERNATE, OnChangeAlternate)
END_MESSAGE_MAP()

CActiveXEditDlg::CActiveXEditDlg(CWnd* pOwnerPage, int nMode)
    : CDialog(IDD, pOwnerPage), m_nMode(nMode), m_pOwnerPage(pOwnerPage), m_background(kDialogColour) {}

void CActiveXEditDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, m_okButton);
    DDX_Control(pDX, IDCANCEL, m_cancelButton);
    DDX_Text(pDX, IDC_ACTIVEX_NAME, m_strName);
    DDX_Text(pDX, IDC_ACTIVEX_CLSID, m_strClsid);
    DDX_Text(pDX, IDC_ACTIVEX_ALTERNATE, m_strAlternateClsid);
}

BOOL CActiveXEditDlg::OnInitDialog() {
    // Typing stops at the field's width; KeepWithinField also holds two-byte
    // characters and pasted text to it.
    for (int id : kFields) ::SendDlgItemMessageA(m_hWnd, id, EM_LIMITTEXT, KORDON_MAX_TEXT, 0);
    CDialog::OnInitDialog();
    SetWindowText(m_nMode == kModeEdit ? activex::kCaptionEdit : activex::kCaptionAdd);
    return TRUE;
}

void CActiveXEditDlg::OnOK() {
    UpdateData(TRUE);
    if (activex::IsValidClsidEntry(m_strClsid)) {
        EndDialog(IDOK);
        return;
    }
    MessageBox(activex::kMsgBadClsid, activex::kBoxTitle, MB_OK | MB_ICONEXCLAMATION);
    GetDlgItem(IDC_ACTIVEX_CLSID)->SetFocus();
}

void CActiveXEditDlg::KeepWithinField(int id) {
    CString text;
    GetDlgItemText(id, text);
    const size_t fit = base::FittingLength(text, static_cast<size_t>(text.GetLength()), KORDON_MAX_TEXT);
    if (fit >= static_cast<size_t>(text.GetLength())) return;
    SetDlgItemText(id, CString(text, static_cast<int>(fit)));  // changes the field again, now within its width
    ::SendDlgItemMessageA(m_hWnd, id, EM_SETSEL, fit, fit);
    MessageBeep(MB_OK);
}

HBRUSH CActiveXEditDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
    if (HBRUSH brush = ui::PageControlBrush(pDC, nCtlColor, m_background)) return brush;
    return CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
}
