#include "app/logo_dlg.h"

#include "app/shell_texts.h"

CLogoDlg::CLogoDlg(CWnd* pParent) : CDialog(IDD, pParent) {}

BEGIN_MESSAGE_MAP(CLogoDlg, CDialog)
    ON_WM_TIMER()
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

BOOL CLogoDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    if (m_timed) {
        SetWindowText(shell::kInstanceName);
        SetTimer(kCloseTimer, 1000);
    }
    return TRUE;
}

void CLogoDlg::OnTimer(UINT_PTR) {
    KillTimer(kCloseTimer);
    OnOK();
}

void CLogoDlg::OnLButtonDown(UINT nFlags, CPoint point) {
    if (!m_timed) OnOK();
    CDialog::OnLButtonDown(nFlags, point);
}
