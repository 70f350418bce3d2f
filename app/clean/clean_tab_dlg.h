// What every tab dialog of the cleaning page shares: edit controls and list
// boxes keep the system colours, everything else is drawn on white with a
// transparent text background; Enter and Esc never end a tab (a tab that
// ended would leave its area empty until the page is rebuilt).
#pragma once
#include "framework/afxwin.h"

class CCleanTabDlg : public CDialog {
public:
    explicit CCleanTabDlg(UINT nIDTemplate) : CDialog(nIDTemplate) {}

protected:
    void OnOK() override {}
    void OnCancel() override {}
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()
};

namespace clean {
// The cleaning page's answer to a control-colour request: NULL for edit
// controls and list boxes (the caller uses its base class's colours), else
// the white brush, with the text background made transparent.
HBRUSH WhiteControlBrush(CDC* pDC, UINT nCtlColor);
}  // namespace clean
