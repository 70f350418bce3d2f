#include "reportview/report_dlg.h"

#include "backup/manifest.h"
#include "backup/restore_texts.h"

#include "framework/afxdlgs.h"
#include "reportview/chronik_resource.h"
#include "reportview/report_logs.h"
#include "reportview/report_texts.h"
#include "ui/page_chrome.h"

namespace {

// Sets the current directory back to the one it was at construction, at
// the latest when it goes.
class CurrentDirectoryKeeper {
public:
    CurrentDirectoryKeeper() {
        const DWORD length = GetCurrentDirectoryA(sizeof m_saved, m_saved);
        if (length == 0 || length >= sizeof m_saved) m_saved[0] = '\0';
    }
    ~CurrentDirectoryKeeper() { Restore(); }
    CurrentDirectoryKeeper(const CurrentDirectoryKeeper&) = delete;
    CurrentDirectoryKeeper& operator=(const CurrentDirectoryKeeper&) = delete;
    void Restore() {
        if (m_saved[0] != '\0') SetCurrentDirectoryA(m_saved);
    }

private:
    char m_saved[MAX_PATH];
};

}  // namespace

BEGIN_MESSAGE_MAP(CReportDlg, CDialog)
    ON_BN_CLICKED(IDC_REPORT_CLOSE, OnButtonClose)
    ON_BN_CLICKED(IDC_REPORT_SAVE, OnSaveAs)
    ON_BN_CLICKED(IDC_REPORT_RESTORE, OnButtonRestore)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CReportDlg::CReportDlg(CWnd* pParent) : CDialog(IDD, pParent) {}

void CReportDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_REPORT_CLOSE, m_closeButton);
    DDX_Control(pDX, IDC_REPORT_SAVE, m_saveButton);
    DDX_Control(pDX, IDC_REPORT_RESTORE, m_restoreButton);
    DDX_Text(pDX, IDC_REPORT_TEXT, m_strReport);
}

// The report opens at its top with the caret in it, not selected as a
// whole as the dialog manager would leave it.
BOOL CReportDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    GetDlgItem(IDC_REPORT_RESTORE)->ShowWindow(m_strBackupFolder.IsEmpty() ? SW_HIDE : SW_SHOW);
    GetDlgItem(IDC_REPORT_TEXT)->SetFocus();
    return FALSE;
}

int CReportDlg::Box(LPCTSTR text, UINT type) { return MessageBox(text, reports::kBoxTitle, type); }

void CReportDlg::OnButtonClose() { EndDialog(IDOK); }

void CReportDlg::OnSaveAs() {
    CurrentDirectoryKeeper directory;
    // The default extension lets the system dialog ask before it replaces
    // "name.txt" when the user typed "name".
    CFileDialog dialog(FALSE, "txt", NULL, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, reports::kSaveFilter, this);
    if (dialog.DoModal() != IDOK) return;

    CString path = dialog.GetPathName();
    if (dialog.GetFileExt().IsEmpty()) path += reports::kTextExtension;
    const bool saved = reports::SaveTextFile(static_cast<LPCTSTR>(path),
                                             std::string(m_strReport, m_strReport.GetLength()));
    directory.Restore();
    if (saved)
        Box(reports::kMsgSaved, MB_OK | MB_ICONEXCLAMATION);
    else
        Box(reports::kMsgSaveFailed, MB_OK | MB_ICONSTOP);
}

void CReportDlg::OnButtonRestore() {
    if (MessageBox(backup::kMsgRestoreQuestion, backup::kRestoreCaption, MB_YESNO | MB_ICONQUESTION) != IDYES) return;
    const std::string folder(m_strBackupFolder, m_strBackupFolder.GetLength());
    const int restored = reports::RestoreBackup(folder);
    GetDlgItem(IDC_REPORT_RESTORE)->ShowWindow(SW_HIDE);
    bool failed = false;
    const std::string text = backup::RestoreEndText(restored, folder, &failed);
    Box(text.c_str(), MB_OK | (failed ? MB_ICONSTOP : MB_ICONEXCLAMATION));
}

// Edit fields and list boxes keep the system colours (the read-only report
// field asks as a static does); everything else sits on white.
HBRUSH CReportDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
    char className[16] = {};
    if (pWnd != nullptr) GetClassNameA(pWnd->m_hWnd, className, sizeof className);
    if (lstrcmpiA(className, "Edit") != 0) {
        if (HBRUSH white = ui::PageControlBrush(pDC, nCtlColor)) return white;
    }
    return CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
}
