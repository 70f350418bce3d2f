#include "app/clean/clean_tab_ctrl.h"

#include "app/clean/AutoRecordDlg.h"
#include "app/clean/CleanPcView.h"
#include "app/clean/DiskCleanDlg.h"
#include "app/clean/StartupDlg.h"
#include "app/clean/WorkRecordDlg.h"
#include "app/clean/clean_frame.h"
#include "app/clean/clean_texts.h"

BEGIN_MESSAGE_MAP(CCleanTabCtrl, CThemeTabCtrl)
    ON_WM_KEYDOWN()
END_MESSAGE_MAP()

CCleanTabCtrl::CCleanTabCtrl() {
    AdoptPage(new CDiskCleanDlg, CDiskCleanDlg::IDD);
    AdoptPage(new CWorkRecordDlg, CWorkRecordDlg::IDD);
    AdoptPage(new CAutoRecordDlg, CAutoRecordDlg::IDD);
    AdoptPage(new CStartupDlg, CStartupDlg::IDD);
}

void CCleanTabCtrl::SwitchPage(int newPage) {
    CMainFrame* frame = clean::MainFrame();
    CCleanPcView* host = frame ? frame->m_pCleanPcView : nullptr;
    if (frame == nullptr || host == nullptr) {
        CThemeTabCtrl::SwitchPage(newPage);
        return;
    }
    host->m_nBusy = 0;
    switch (GetCurrentPage()) {
    case 0: if (frame->m_pDiskCleanDlg) frame->m_pDiskCleanDlg->ResetPage(); break;
    case 1: if (frame->m_pWorkRecordDlg) frame->m_pWorkRecordDlg->ResetChecks(); break;
    case 2: if (frame->m_pAutoRecordDlg) frame->m_pAutoRecordDlg->ResetChecks(); break;
    case 3: if (frame->m_pStartupDlg) frame->m_pStartupDlg->ResetList(); break;
    }
    CThemeTabCtrl::SwitchPage(newPage);
    host->ResetButtons();
    host->m_nHostMode = newPage + 1;
    if (newPage == 1 || newPage == 2) host->SetStartText(clean::kCaptionDeleteRecords);
}

void CCleanTabCtrl::OnKeyDown(UINT, UINT, UINT) {}
