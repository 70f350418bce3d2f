#include "app/clean/WorkRecordDlg.h"

#include "app/clean/clean_frame.h"
#include "app/clean/record_tabs.h"
#include "app/records/record_cleaners.h"

namespace {

constexpr clean::BoxPicture kPictures[] = {
    {IDC_WORK_VISIT_HISTORY, IDB_RECORD_VISIT_HISTORY, 260, 25},
    {IDC_WORK_TYPED_URLS, IDB_RECORD_TYPED_URLS, 300, 65},
    {IDC_WORK_RECENT_DOCS, IDB_RECORD_RECENT_DOCS, 260, 100},
    {IDC_WORK_RUN_MRU, IDB_RECORD_RUN_MRU, 300, 135},
};

}  // namespace

BEGIN_MESSAGE_MAP(CWorkRecordDlg, CCleanTabDlg)
    ON_BN_CLICKED(IDC_WORK_VISIT_HISTORY, OnCheckBox)
    ON_BN_CLICKED(IDC_WORK_TYPED_URLS, OnCheckBox)
    ON_BN_CLICKED(IDC_WORK_RECENT_DOCS, OnCheckBox)
    ON_BN_CLICKED(IDC_WORK_RUN_MRU, OnCheckBox)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CWorkRecordDlg::CWorkRecordDlg() : CCleanTabDlg(IDD) {}

void CWorkRecordDlg::DoDataExchange(CDataExchange* pDX) {
    CCleanTabDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_WORK_RUN_MRU, m_checkRunMru);
    DDX_Control(pDX, IDC_WORK_RECENT_DOCS, m_checkRecentDocs);
    DDX_Control(pDX, IDC_WORK_TYPED_URLS, m_checkTypedUrls);
    DDX_Control(pDX, IDC_WORK_VISIT_HISTORY, m_checkVisitHistory);
    DDX_Check(pDX, IDC_WORK_RUN_MRU, m_bRunMru);
    DDX_Check(pDX, IDC_WORK_RECENT_DOCS, m_bRecentDocs);
    DDX_Check(pDX, IDC_WORK_TYPED_URLS, m_bTypedUrls);
    DDX_Check(pDX, IDC_WORK_VISIT_HISTORY, m_bVisitHistory);
}

BOOL CWorkRecordDlg::OnInitDialog() {
    CCleanTabDlg::OnInitDialog();
    if (CMainFrame* frame = clean::MainFrame()) frame->m_pWorkRecordDlg = this;
    return TRUE;
}

BOOL CWorkRecordDlg::PreTranslateMessage(MSG* pMsg) {
    // Esc goes on without the dialog's own key handling: it never ends the tab.
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE) return FALSE;
    return CCleanTabDlg::PreTranslateMessage(pMsg);
}

void CWorkRecordDlg::DeleteRecords() {
    UpdateData(TRUE);
    records::WorkRecordChoice ticked;
    ticked.visitHistory = m_bVisitHistory == BST_CHECKED;
    ticked.typedUrls = m_bTypedUrls == BST_CHECKED;
    ticked.recentDocs = m_bRecentDocs == BST_CHECKED;
    ticked.runMru = m_bRunMru == BST_CHECKED;
    if (!clean::ConfirmRecordDeletion(*this, ticked.Any())) return;
    records::CleanWorkRecords(ticked);
    ResetChecks();
    clean::ReportRecordDeletion(*this);
}

void CWorkRecordDlg::ResetChecks() {
    m_bRunMru = m_bRecentDocs = m_bTypedUrls = m_bVisitHistory = 0;
    UpdateData(FALSE);
    Invalidate(TRUE);  // the pictures go with the ticks
}

// A tick or an untick changes the pictures: the whole tab is painted anew.
void CWorkRecordDlg::OnCheckBox() { Invalidate(TRUE); }

void CWorkRecordDlg::OnPaint() {
    CPaintDC dc(this);
    clean::PaintBoxPictures(*this, dc, kPictures, sizeof kPictures / sizeof kPictures[0]);
}

void CWorkRecordDlg::CleanVisitHistory() { records::CleanVisitHistory(); }
void CWorkRecordDlg::CleanTypedUrls() { records::CleanTypedUrls(); }
void CWorkRecordDlg::CleanRecentDocs() { records::CleanRecentDocs(); }
void CWorkRecordDlg::CleanRunMru() { records::CleanRunMru(); }
void CWorkRecordDlg::CleanPlayerHistory() { records::CleanPlayerHistory(); }
void CWorkRecordDlg::CleanFormData() { records::CleanFormData(); }
void CWorkRecordDlg::CleanSavedPasswords() { records::CleanSavedPasswords(); }
