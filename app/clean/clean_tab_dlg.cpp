#include "app/clean/clean_tab_dlg.h"
#include "ui/page_chrome.h"

BEGIN_MESSAGE_MAP(CCleanTabDlg, CDialog)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

BOOL CCleanTabDlg::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE) return FALSE;
    return CDialog::PreTranslateMessage(pMsg);
}

HBRUSH CCleanTabDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
    if (HBRUSH white = ui::PageControlBrush(pDC, nCtlColor)) return white;
    return CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
}
