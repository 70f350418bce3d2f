// "보 고 서": one log's report text, with a button that saves it as a text
// file. Exists only while it is shown.
#pragma once
#include "framework/afxwin.h"
#include "ui/xp_button.h"

class CReportDlg : public CDialog {
public:
    enum { IDD = 129 };

    explicit CReportDlg(CWnd* pParent = NULL);

    CString m_strReport;  // shown in control 1006 and saved as it is
    CString m_strBackupFolder;  // the cure's backup of the log; empty: none, and no 복원 button

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnButtonClose();
    // Asks for a file through the system's save dialog and writes the report
    // text to it. The current directory, which every log path is relative
    // to, is the same afterwards whether the save was made, cancelled or
    // failed.
    afx_msg void OnSaveAs();
    // Asks, then puts back the backup through the engine and says how much
    // came back. The button goes once it has been used.
    afx_msg void OnButtonRestore();
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

private:
    int Box(LPCTSTR text, UINT type);

    CXPButton m_closeButton;  // 1004
    CXPButton m_saveButton;   // 1001
    CXPButton m_restoreButton;  // 1003
};
