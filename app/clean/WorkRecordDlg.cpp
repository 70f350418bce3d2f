#include "app/clean/WorkRecordDlg.h"

#include "app/clean/clean_frame.h"

CWorkRecordDlg::CWorkRecordDlg() : CCleanTabDlg(IDD) {}

BOOL CWorkRecordDlg::OnInitDialog() {
    CCleanTabDlg::OnInitDialog();
    if (CMainFrame* frame = clean::MainFrame()) frame->m_pWorkRecordDlg = this;
    return TRUE;
}

// The cleaners of this tab are not part of the program yet: nothing is
// deleted and nothing is asked.
void CWorkRecordDlg::DeleteRecords() {}

void CWorkRecordDlg::ResetChecks() {}
