#include "app/clean/clean_tab_ctrl.h"

#include "app/clean/disk_clean_dlg.h"
#include "app/clean/record_tabs.h"
#include "app/clean/startup_dlg.h"

BEGIN_MESSAGE_MAP(CCleanTabCtrl, CThemeTabCtrl)
    ON_WM_KEYDOWN()
END_MESSAGE_MAP()

CCleanTabCtrl::CCleanTabCtrl() {
    AdoptPage(new CDiskCleanDlg, CDiskCleanDlg::IDD);
    AdoptPage(new CRecordTabDlg(clean::kWorkRecords), IDD_WORK_RECORD);
    AdoptPage(new CRecordTabDlg(clean::kAutoRecords), IDD_AUTO_RECORD);
    AdoptPage(new CStartupDlg, CStartupDlg::IDD);
}

void CCleanTabCtrl::SwitchPage(int newPage) {
    if (CCleanTabDlg* left = Tab(GetCurrentPage())) left->Leave();
    CThemeTabCtrl::SwitchPage(newPage);
    if (m_switched) m_switched(newPage);
}

void CCleanTabCtrl::OnKeyDown(UINT, UINT, UINT) {}
