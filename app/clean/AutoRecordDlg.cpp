#include "app/clean/AutoRecordDlg.h"

#include "app/clean/clean_frame.h"

CAutoRecordDlg::CAutoRecordDlg() : CCleanTabDlg(IDD) {}

BOOL CAutoRecordDlg::OnInitDialog() {
    CCleanTabDlg::OnInitDialog();
    if (CMainFrame* frame = clean::MainFrame()) frame->m_pAutoRecordDlg = this;
    return TRUE;
}

// The cleaners of this tab are not part of the program yet: nothing is
// deleted and nothing is asked.
void CAutoRecordDlg::DeleteRecords() {}

void CAutoRecordDlg::ResetChecks() {}
