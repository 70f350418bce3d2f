// The dialog that adds a control to the block list or edits one: name, CLSID
// and alternate CLSID, each at most 39 bytes; the CLSID is checked on OK.
#pragma once
#include "app/activex/activex_resource.h"
#include "framework/afxdlg.h"
#include "framework/afxgdi.h"
#include "ui/xp_button.h"

class CActiveXEditDlg : public CDialog {
public:
    enum { IDD = IDD_ACTIVEX_EDIT };
    enum { kModeEdit = 1, kModeAdd = 2 };

    CActiveXEditDlg(CWnd* pOwnerPage, int nMode);

    // In: the texts shown at the start; out (after OK): the texts entered.
    CString m_strName;
    CString m_strClsid;
    CString m_strAlternateClsid;
    int m_nMode;
    CWnd* m_pOwnerPage;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    afx_msg void OnChangeName() { KeepWithinField(IDC_ACTIVEX_NAME); }
    afx_msg void OnChangeClsid() { KeepWithinField(IDC_ACTIVEX_CLSID); }
    afx_msg void OnChangeAlternate() { KeepWithinField(IDC_ACTIVEX_ALTERNATE); }
    DECLARE_MESSAGE_MAP()

private:
    // Cuts the field's text back to what a record's 39 bytes hold.
    void KeepWithinField(int id);

    CXPButton m_okButton;
    CXPButton m_cancelButton;
    CBrush m_background;
};
