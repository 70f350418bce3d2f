#include "app/clean/StartupDlg.h"

#include "app/clean/CleanPcView.h"
#include "app/clean/clean_frame.h"
#include "app/clean/clean_texts.h"

CStartupDlg::CStartupDlg() : CCleanTabDlg(IDD) {}

BOOL CStartupDlg::OnInitDialog() {
    CCleanTabDlg::OnInitDialog();
    if (CMainFrame* frame = clean::MainFrame()) frame->m_pStartupDlg = this;
    return TRUE;
}

// The listing is not part of the program yet; the scan already gives the host
// back the way a finished scan does.
void CStartupDlg::ScanEntries() {
    CMainFrame* frame = clean::MainFrame();
    CCleanPcView* host = frame ? frame->m_pCleanPcView : nullptr;
    if (host == nullptr) return;
    host->ShowDeleteButton(TRUE);
    host->SetStartText(clean::kCaptionRescan);
    host->ShowStatusLine(FALSE);
    host->SetStatusText("");
    host->m_nBusy = 0;
}

// Nothing is listed yet, so nothing is deleted.
BOOL CStartupDlg::DeleteEntries() { return FALSE; }

void CStartupDlg::ResetList() {}
