#include "app/clean/clean_tab_dlg.h"

namespace clean {

HBRUSH WhiteControlBrush(CDC* pDC, UINT nCtlColor) {
    if (nCtlColor == CTLCOLOR_EDIT || nCtlColor == CTLCOLOR_LISTBOX) return nullptr;
    pDC->SetBkMode(TRANSPARENT);
    return static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
}

}  // namespace clean

BEGIN_MESSAGE_MAP(CCleanTabDlg, CDialog)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

BOOL CCleanTabDlg::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE) return FALSE;
    return CDialog::PreTranslateMessage(pMsg);
}

HBRUSH CCleanTabDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
    if (HBRUSH white = clean::WhiteControlBrush(pDC, nCtlColor)) return white;
    return CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
}
