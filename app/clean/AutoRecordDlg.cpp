#include "app/clean/AutoRecordDlg.h"

#include "app/clean/clean_frame.h"
#include "app/clean/record_tabs.h"
#include "app/records/record_cleaners.h"

namespace {

constexpr clean::BoxPicture kPictures[] = {
    {IDC_AUTO_FORM_DATA, IDB_RECORD_FORM_DATA, 300, 55},
    {IDC_AUTO_PASSWORDS, IDB_RECORD_PASSWORDS, 300, 95},
    {IDC_AUTO_PLAYER_HISTORY, IDB_RECORD_PLAYER_HISTORY, 300, 125},
};

}  // namespace

BEGIN_MESSAGE_MAP(CAutoRecordDlg, CCleanTabDlg)
    ON_BN_CLICKED(IDC_AUTO_FORM_DATA, OnCheckBox)
    ON_BN_CLICKED(IDC_AUTO_PASSWORDS, OnCheckBox)
    ON_BN_CLICKED(IDC_AUTO_PLAYER_HISTORY, OnCheckBox)
    ON_WM_PAINT()
END_MESSAGE_MAP()

CAutoRecordDlg::CAutoRecordDlg() : CCleanTabDlg(IDD) {}

void CAutoRecordDlg::DoDataExchange(CDataExchange* pDX) {
    CCleanTabDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_AUTO_PLAYER_HISTORY, m_checkPlayerHistory);
    DDX_Control(pDX, IDC_AUTO_PASSWORDS, m_checkPasswords);
    DDX_Control(pDX, IDC_AUTO_FORM_DATA, m_checkFormData);
    DDX_Check(pDX, IDC_AUTO_FORM_DATA, m_bFormData);
    DDX_Check(pDX, IDC_AUTO_PASSWORDS, m_bPasswords);
    DDX_Check(pDX, IDC_AUTO_PLAYER_HISTORY, m_bPlayerHistory);
}

BOOL CAutoRecordDlg::OnInitDialog() {
    CCleanTabDlg::OnInitDialog();
    if (CMainFrame* frame = clean::MainFrame()) frame->m_pAutoRecordDlg = this;
    return TRUE;
}

// Like its sibling tabs, this one lets Esc go on without the dialog's own key
// handling, so Esc never ends it and never leaves the tab area empty.
BOOL CAutoRecordDlg::PreTranslateMessage(MSG* pMsg) {
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE) return FALSE;
    return CCleanTabDlg::PreTranslateMessage(pMsg);
}

// The cleaners need no window: the tab runs them itself (app/records), not
// through the activity-record tab, and so works whether or not that tab has
// registered.
void CAutoRecordDlg::DeleteRecords() {
    UpdateData(TRUE);
    records::AutoRecordChoice ticked;
    ticked.formData = m_bFormData == BST_CHECKED;
    ticked.savedPasswords = m_bPasswords == BST_CHECKED;
    ticked.playerHistory = m_bPlayerHistory == BST_CHECKED;
    if (!clean::ConfirmRecordDeletion(*this, ticked.Any())) return;
    records::CleanAutoRecords(ticked);
    ResetChecks();
    clean::ReportRecordDeletion(*this);
}

void CAutoRecordDlg::ResetChecks() {
    m_bFormData = m_bPasswords = m_bPlayerHistory = 0;
    UpdateData(FALSE);
    Invalidate(TRUE);  // the pictures go with the ticks
}

// A tick or an untick changes the pictures: the whole tab is painted anew.
void CAutoRecordDlg::OnCheckBox() { Invalidate(TRUE); }

void CAutoRecordDlg::OnPaint() {
    CPaintDC dc(this);
    clean::PaintBoxPictures(*this, dc, kPictures, sizeof kPictures / sizeof kPictures[0]);
}
